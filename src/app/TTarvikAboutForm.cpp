#include "app/TTarvikAboutForm.h"

#include "app/AboutArt.h"
#include "app/Logo.h"
#include "app/QtText.h"
#include "app/TWebButton.h"
#include "app/TWebLabel.h"
#include "components/MainWindowVersion.h"
#include "components/ProjectAddresses.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize ClientSize(343, 364);

template <typename Control> Control* Named(Control* control, const QString& name)
{
    control->setObjectName(name);
    return control;
}

QLabel* Framed(QLabel* label)
{
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMargin(4);
    return label;
}

}

TTarvikAboutForm::TTarvikAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
{
    setObjectName("TTarvikAboutForm");
    setWindowTitle("Tarvik");
    setWindowIcon(QIcon(LogoPixmap(64)));
    setFixedSize(ClientSize);

    auto* background = Named(new QLabel(this), "Image3");
    background->setPixmap(AboutArt::Background(ClientSize));
    background->setGeometry(QRect(QPoint(0, 0), ClientSize));

    auto* promotion = Named(new QLabel("Checks every link and picture of your site before your visitors do.", this),
        "Label3");
    QFont italic = promotion->font();
    italic.setItalic(true);
    promotion->setFont(italic);
    promotion->setWordWrap(true);
    promotion->setAlignment(Qt::AlignCenter);
    Framed(promotion);

    auto* icon = Framed(Named(new QLabel(this), "Image1"));
    icon->setPixmap(LogoPixmap(48));
    auto* wordMark = Named(new QLabel(this), "Image2");
    wordMark->setPixmap(AboutArt::WordMark(48));
    auto* logos = new QHBoxLayout;
    logos->addStretch(1);
    logos->addWidget(icon);
    logos->addWidget(wordMark);
    logos->addStretch(1);

    auto* version = Named(new QLabel(ShownText(MainWindowVersionLabel()), this), "VersionLabel");
    version->setAlignment(Qt::AlignCenter);
    auto* copyright = Named(new QLabel(ShownText(MainWindowCopyright()), this), "CPRLabel");
    QFont bold = copyright->font();
    bold.setBold(true);
    copyright->setFont(bold);
    copyright->setAlignment(Qt::AlignCenter);

    m_mail = Named(new TWebLabel(this), "WebLabel1");
    m_mail->setText(ProjectAddresses::Mail);
    m_mail->Link = { ProjectAddresses::Mail, TServType::svMAIL, "", "" };
    m_mail->OnClick = [this] { m_mail->Link.Subject = "Tarvik"; };
    m_mail->setAlignment(Qt::AlignCenter);

    auto* webText = Named(new QLabel("Latest version and more free\nsoftware at our web site", this), "Label1");
    webText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    webText->setWordWrap(true);
    m_web = Named(new TWebButton(this), "WebButton");
    m_web->Link.URL = ProjectAddresses::WebSite;
    m_web->SetServiceType(TServType::svHTTP);
    m_web->setToolTip(ProjectAddresses::WebSite);
    auto* web = new QHBoxLayout;
    web->addWidget(webText, 1);
    web->addWidget(m_web);

    auto* ok = Named(new QPushButton("OK", this), "OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promotion);
    layout->addStretch(1);
    layout->addLayout(logos);
    layout->addWidget(version);
    layout->addWidget(copyright);
    layout->addWidget(m_mail);
    layout->addStretch(1);
    layout->addLayout(web);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}
