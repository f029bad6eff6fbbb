#include "app/TWebLabel.h"

#include "app/WebLinkOpen.h"

#include <QKeyEvent>
#include <QMouseEvent>

TWebLabel::TWebLabel(QWidget* parent)
    : QLabel(parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    SetFontColour(Qt::blue);
    setCursor(Qt::PointingHandCursor);
    // Reachable from the keyboard too, as a link in a dialog should be.
    setFocusPolicy(Qt::TabFocus);
}

void TWebLabel::Click()
{
    if (OnClick)
        OnClick();
    GoToURL();
}

void TWebLabel::GoToURL(const QString& address)
{
    SetFontColour(FontClickedColor);
    OpenWebLink(Link, this, address);
}

void TWebLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
    QLabel::mouseReleaseEvent(event);
}

void TWebLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void TWebLabel::SetFontColour(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}
