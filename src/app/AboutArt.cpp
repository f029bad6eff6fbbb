#include "app/AboutArt.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace AboutArt {

QPixmap Background(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1c, 0x3d, 0x8c, 28), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // A diagonal chain of links, each link an elongated ring on a 40-pixel step.
    for (int step = -2; step * 40 < size.width() + size.height(); ++step) {
        p.save();
        p.translate(step * 40, size.height() - step * 40);
        p.rotate(-45);
        p.drawRoundedRect(QRectF(-4, -10, 50, 20), 10, 10);
        p.restore();
    }
    return pixmap;
}

QPixmap WordMark(int height)
{
    QFont font("Sans Serif");
    font.setPixelSize(height * 3 / 4);
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    const QString name = "Tarvik";
    QPixmap pixmap(QFontMetrics(font).horizontalAdvance(name) + height / 2, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font);
    // A soft shadow under the name, then the name in the logo's blue.
    p.setPen(QColor(0x7a, 0x4a, 0x1e, 90));
    p.drawText(pixmap.rect().translated(2, 2), Qt::AlignCenter, name);
    p.setPen(QColor(0x1c, 0x3d, 0x8c));
    p.drawText(pixmap.rect(), Qt::AlignCenter, name);
    return pixmap;
}

}
