#include "app/ProgressPanel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

ProgressPanel::ProgressPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName("ProgressPanel");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(16, 16));
    m_caption = new QLabel(InitialCaption, this);
    m_caption->setObjectName("ProgressCaption");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(m_caption, 1);
    setMinimumWidth(420);
    hide();
    parent->installEventFilter(this);
}

QString ProgressPanel::Caption() const { return m_caption->text(); }

void ProgressPanel::SetCaption(const QString& caption)
{
    m_caption->setText(caption);
    adjustSize();
    Place();
    if (isVisible())
        repaint();
}

bool ProgressPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        Place();
    return QFrame::eventFilter(watched, event);
}

void ProgressPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    Place();
    raise();
}

void ProgressPanel::Place()
{
    const QWidget* window = parentWidget();
    move((window->width() - width()) / 2, (window->height() - height()) / 2 - 47);
}
