#include "app/TUpgradeForm.h"

#include "app/Logo.h"
#include "app/NormalCursor.h"
#include "app/ProgressPanel.h"
#include "app/QtText.h"
#include "app/TWebLabel.h"
#include "platform/MessageQueue.h"

#include <QApplication>
#include <algorithm>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString MessageText(const std::string& text) { return ShownText(text).replace("\r\n", "\n"); }

template <typename Control> Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

}

TUpgradeForm::TUpgradeForm(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("TUpgradeForm");
    setWindowTitle("Tarvik Upgrade");
    resize(420, 314);
    HttpCli1.Timeout = MirrorTimeout;
    // The window stays live while a mirror is asked.
    HttpCli1.SetPump([] {
        QApplication::processEvents();
        MessageQueue::ForThisThread().WaitAndProcess(std::chrono::milliseconds(20));
    });

    auto* icon = Named(new QLabel(this), "Image1");
    icon->setPixmap(LogoPixmap(32));
    m_announce = Named(new QLabel(this), "AnnounceLabel");
    QFont bold = m_announce->font();
    bold.setBold(true);
    m_announce->setFont(bold);
    m_announce->setAlignment(Qt::AlignCenter);
    m_announce->setWordWrap(true);
    m_release = Named(new QLabel(this), "ReleaseLabel");
    m_release->setAlignment(Qt::AlignCenter);
    auto* summaryCaption = Named(new QLabel("Summary of new features:", this), "Label2");
    m_details = Named(new QTextEdit(this), "DetailsMemo");
    m_details->setReadOnly(true);
    m_details->setAcceptRichText(false);
    m_details->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Takes the dialog's colour, as a memo on a form does.
    m_details->viewport()->setBackgroundRole(QPalette::Window);
    m_webLabel = Named(new TWebLabel(this), "WebLabel1");
    m_webLabel->setAlignment(Qt::AlignCenter);
    auto* ok = Named(new QPushButton("OK", this), "OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_announce, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_release);
    layout->addWidget(summaryCaption);
    layout->addWidget(m_details, 1);
    layout->addWidget(m_webLabel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TUpgradeForm::UpgradeCheck(
    int installedBuild, ProgressPanel* progress, const UpgradeMirrors& mirrors, const std::string& folder)
{
    m_progress = progress;
    ::UpgradeCheck(*this, HttpCli1, folder).Run(installedBuild, mirrors);
}

bool TUpgradeForm::AskYesNo(const std::string& question)
{
    NormalCursor cursor;
    QMessageBox box(QMessageBox::Warning, "Tarvik", MessageText(question), QMessageBox::Yes | QMessageBox::No,
        parentWidget());
    return box.exec() == QMessageBox::Yes;
}

void TUpgradeForm::ShowMessage(const std::string& text)
{
    NormalCursor cursor;
    QMessageBox::information(parentWidget(), "Tarvik", MessageText(text));
}

void TUpgradeForm::SetProgressCaption(const std::string& caption)
{
    m_progress->SetCaption(ShownText(caption));
}

void TUpgradeForm::ShowProgress(bool shown) { m_progress->setVisible(shown); }

void TUpgradeForm::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TUpgradeForm::ShowOffer(const UpgradeInfo& info)
{
    m_announce->setText("A later version of Tarvik is available (Version " + ShownText(info.version) + ")");
    m_release->setText("Release date: " + ShownText(info.releaseDate));
    m_webLabel->setTextFormat(Qt::PlainText);
    m_webLabel->setText(ShownText(info.pageAddress));
    m_webLabel->Link.URL = info.pageAddress;
    m_details->clear();
    QTextCursor cursor(m_details->document());
    QTextBlockFormat hanging;
    hanging.setLeftMargin(10);
    hanging.setTextIndent(-10);
    for (std::size_t i = 0; i < info.summary.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.setBlockFormat(hanging);
        cursor.insertText(ShownText(info.summary[i]));
    }
    cursor.setPosition(std::min(1, m_details->document()->characterCount() - 1));
    m_details->setTextCursor(cursor);
    NormalCursor normal;
    exec();
}
