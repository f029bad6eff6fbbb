#include "app/TWebButton.h"

#include "app/LinkGlyph.h"
#include "app/WebLinkOpen.h"

TWebButton::TWebButton(QWidget* parent)
    : QToolButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoRaise(true);
    setIconSize(QSize(32, 32));
    SetServiceType(Link.ServiceType);
    connect(this, &QToolButton::clicked, this, &TWebButton::Click);
}

void TWebButton::SetServiceType(TServType type)
{
    Link.ServiceType = type;
    setIcon(LinkGlyph(type, iconSize().width()));
}

void TWebButton::Click()
{
    if (OnClick)
        OnClick();
    GoToURL();
}

void TWebButton::GoToURL(const QString& address)
{
    OpenWebLink(Link, this, address);
}
