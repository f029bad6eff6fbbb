#include "app/Logo.h"

#include <QPainter>
#include <QPainterPath>

QPixmap LogoPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on the 64-unit grid of the icon's picture.
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(0x7a, 0x4a, 0x1e), 3));
    p.setBrush(QColor(240, 202, 166));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

    QPen link(QColor(0x1c, 0x3d, 0x8c), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(link);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(8, 10, 24, 24), 90 * 16, 180 * 16);
    p.drawLine(QPointF(20, 10), QPointF(34, 10));
    p.drawArc(QRectF(32, 30, 24, 24), -90 * 16, 180 * 16);
    p.drawLine(QPointF(30, 54), QPointF(44, 54));

    p.setPen(QPen(QColor(0x1f, 0x8a, 0x2c), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(22, 36);
    tick.lineTo(28, 44);
    tick.lineTo(42, 22);
    p.drawPath(tick);
    return pixmap;
}
