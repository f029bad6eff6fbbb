#include "app/LinkGlyph.h"

#include <QPainter>

namespace {

const QColor Ink(0x1c, 0x3d, 0x8c);

void DrawGlobe(QPainter& p)
{
    p.setBrush(QColor(0xcf, 0xe3, 0xf7));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(10, 2, 12, 28));
    p.drawLine(QPointF(16, 2), QPointF(16, 30));
    p.drawLine(QPointF(2, 16), QPointF(30, 16));
    p.drawLine(QPointF(5, 9), QPointF(27, 9));
    p.drawLine(QPointF(5, 23), QPointF(27, 23));
}

void DrawEnvelope(QPainter& p)
{
    p.setBrush(QColor(0xfb, 0xf3, 0xe4));
    p.drawRect(QRectF(2, 7, 28, 18));
    p.drawPolyline(QPolygonF({ QPointF(2, 7), QPointF(16, 18), QPointF(30, 7) }));
}

}

QPixmap LinkGlyph(TServType type, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 32-unit grid.
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (type) {
    case TServType::svHTTP:
        DrawGlobe(p);
        break;
    case TServType::svMAIL:
        DrawEnvelope(p);
        break;
    }
    return pixmap;
}
