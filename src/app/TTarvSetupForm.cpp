#include "app/TTarvSetupForm.h"

#include "app/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename Control> Control* Named(Control* control, const QString& name, const QString& caption)
{
    control->setObjectName(name);
    control->setAccessibleName(QString(caption).remove('&').trimmed());
    return control;
}

QFrame* Rule(QWidget* parent)
{
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

}

TTarvSetupForm::TTarvSetupForm(SettingsStore& store, QWidget* parent)
    : QDialog(parent)
    , m_store(store)
{
    setObjectName("TTarvSetupForm");
    setWindowTitle("Tarvik");
    setModal(true);
    Build();
}

void TTarvSetupForm::Build()
{
    auto* group1 = Named(new QGroupBox(" Internal Files ", this), "GroupBox1", "Internal Files");
    m_intImages = Named(
        new QRadioButton("Check &Images and Links", group1), "IntImagesCheck", "Check &Images and Links");
    m_intLinks = Named(new QRadioButton("Check &Links only", group1), "IntLinksCheck", "Check &Links only");
    m_intImages->setChecked(true);
    auto* layout1 = new QVBoxLayout(group1);
    layout1->addWidget(m_intImages);
    layout1->addWidget(m_intLinks);

    auto* group2 = Named(new QGroupBox(" External Files", this), "GroupBox2", "External Files");
    m_extImages = Named(
        new QRadioButton("Check &Images and Links", group2), "ExtImagesCheck", "Check &Images and Links");
    m_extLinks = Named(new QRadioButton("Check &Links only", group2), "ExtLinksCheck", "Check &Links only");
    m_noExt = Named(new QRadioButton("No E&xternal Checks", group2), "NoExtCheck", "No E&xternal Checks");
    m_noExt->setChecked(true);
    auto* layout2 = new QVBoxLayout(group2);
    layout2->addWidget(m_extImages);
    layout2->addWidget(m_extLinks);
    layout2->addWidget(m_noExt);

    m_online = Named(new QCheckBox("Check &Online", this), "OnlineCheck", "Check &Online");
    m_baseLabel = Named(new QLabel("Base HREF", this), "BaseHRefLabel", "Base HREF");
    m_base = Named(new QComboBox(this), "BaseHRefEdit", "Base HREF");
    m_base->setEditable(true);
    m_base->setInsertPolicy(QComboBox::NoInsert);
    m_base->setEditText(BaseHRefHistory::NoAddress);
    m_base->setEnabled(false);
    m_baseLabel->setEnabled(false);
    m_baseLabel->setBuddy(m_base);
    auto* delete1 = new QAction("Delete", this);
    delete1->setObjectName("Delete1");
    connect(delete1, &QAction::triggered, this, &TTarvSetupForm::Delete1Click);
    m_base->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_base->addAction(delete1);
    m_base->lineEdit()->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_base->lineEdit()->addAction(delete1);

    auto* startLabel = Named(new QLabel("Starting file", this), "Label1", "Starting file");
    m_startFile = Named(new QLineEdit(this), "StartFileEdit", "Starting file");
    startLabel->setBuddy(m_startFile);
    m_sepReport = Named(new QCheckBox("&Separate report for each file", this), "SepReportCheck",
        "&Separate report for each file");
    m_showUnused
        = Named(new QCheckBox("Report unused files", this), "ShowUnusedCheck", "Report unused files");
    m_trace = Named(new QCheckBox("&Trace into links", this), "TraceIntoLinksCheck", "&Trace into links");
    m_html = Named(new QCheckBox("HTML results list", this), "HTMLCheck", "HTML results list");
    m_recordHeaders
        = Named(new QCheckBox("Show received headers", this), "RecordHeadersCheck", "Show received headers");
    m_recordHeaders->setEnabled(false);
    m_localFiles
        = Named(new QCheckBox("Cache downloaded files", this), "LocalFilesCheck", "Cache downloaded files");
    m_localFiles->setChecked(true);

    auto* ok = Named(new QPushButton("OK", this), "OKButton", "OK");
    auto* cancel = Named(new QPushButton("Cancel", this), "CancelButton", "Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TTarvSetupForm::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // A radio button checked from code counts as clicked, so these follow `toggled`.
    connect(m_noExt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            NoExtCheckClick();
    });
    for (QRadioButton* ext : { m_extImages, m_extLinks }) {
        connect(ext, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ExtLinksCheckClick();
        });
    }
    connect(m_online, &QCheckBox::clicked, this, &TTarvSetupForm::OnlineCheckClick);
    connect(m_trace, &QCheckBox::clicked, this, &TTarvSetupForm::TraceIntoLinksCheckClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group1);
    layout->addWidget(group2);
    layout->addWidget(m_online);
    layout->addWidget(m_baseLabel);
    layout->addWidget(m_base);
    layout->addWidget(startLabel);
    layout->addWidget(m_startFile);
    layout->addWidget(Rule(this));
    layout->addWidget(m_sepReport);
    layout->addWidget(m_showUnused);
    layout->addWidget(Rule(this));
    for (QWidget* w : { m_trace, m_html, m_recordHeaders, m_localFiles })
        layout->addWidget(w);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TTarvSetupForm::Prepare(int selectedFiles, const BaseHRefHistory& history, const QString& startingFile)
{
    m_base->clear();
    if (selectedFiles < 2)
        m_sepReport->setChecked(false);
    m_sepReport->setEnabled(selectedFiles >= 2);
    m_trace->setEnabled(selectedFiles < 2);
    m_base->addItems(history.entries);
    m_base->setEditText(history.current);
    m_base->setEnabled(false);
    m_baseLabel->setEnabled(false);
    m_noExt->setChecked(true);
    m_startFile->setText(startingFile);
}

BaseHRefHistory TTarvSetupForm::History() const
{
    BaseHRefHistory history;
    history.current = m_base->currentText();
    for (int i = 0; i < m_base->count(); ++i)
        history.entries.append(m_base->itemText(i));
    return history;
}

DialogChoices TTarvSetupForm::Choices() const
{
    DialogChoices c;
    c.internal = m_intImages->isChecked() ? InternalChoice::ImagesAndLinks : InternalChoice::LinksOnly;
    c.external = m_extImages->isChecked() ? ExternalChoice::ImagesAndLinks
        : m_extLinks->isChecked()         ? ExternalChoice::LinksOnly
                                          : ExternalChoice::None;
    c.online = m_online->isChecked();
    c.baseHRef = m_base->currentText().toStdString();
    c.separateReports = m_sepReport->isChecked();
    c.reportUnusedEnabled = m_showUnused->isEnabled();
    c.reportUnused = m_showUnused->isChecked();
    c.trace = m_trace->isChecked();
    c.htmlResults = m_html->isChecked();
    c.recordHeaders = m_recordHeaders->isChecked();
    c.cacheDownloads = m_localFiles->isChecked();
    return c;
}

QString TTarvSetupForm::StartingFile() const
{
    return m_startFile->text();
}

void TTarvSetupForm::OnlineCheckClick()
{
    bool online = m_online->isChecked();
    m_base->setEnabled(online);
    m_baseLabel->setEnabled(online);
    m_showUnused->setEnabled(!online);
    if (online)
        m_recordHeaders->setEnabled(true);
    else if (m_noExt->isChecked())
        m_recordHeaders->setEnabled(false);
}

void TTarvSetupForm::TraceIntoLinksCheckClick()
{
    bool trace = m_trace->isChecked();
    m_base->setEnabled(trace);
    m_baseLabel->setEnabled(trace);
    m_showUnused->setEnabled(trace);
}

void TTarvSetupForm::NoExtCheckClick()
{
    if (!m_online->isChecked())
        m_recordHeaders->setEnabled(false);
}

void TTarvSetupForm::ExtLinksCheckClick()
{
    if (m_extLinks->isChecked() || m_extImages->isChecked())
        m_recordHeaders->setEnabled(true);
}

void TTarvSetupForm::OKButtonClick()
{
    QString text = m_base->currentText();
    if (m_online->isChecked() && (text.isEmpty() || text == BaseHRefHistory::NoAddress)) {
        QMessageBox::information(this, "Tarvik",
            "You must specify a Base HREF for your site\nbefore you can perform an on-line check.");
        return;
    }
    m_store.WriteString("LastCheckedPage", m_startFile->text());
    QString base = NormalizedBaseHRef(text);
    if (!base.isEmpty() && base != BaseHRefHistory::NoAddress) {
        if (m_base->findText(base, Qt::MatchFixedString) < 0)
            m_base->addItem(base);
        m_base->setEditText(base);
    }
    accept();
}

void TTarvSetupForm::Delete1Click()
{
    int found = m_base->findText(m_base->currentText(), Qt::MatchFixedString);
    if (found < 0)
        return;
    m_base->removeItem(found);
    m_base->setEditText(m_base->count() == 0 ? QString(BaseHRefHistory::NoAddress) : m_base->itemText(0));
}
