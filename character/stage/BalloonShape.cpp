#include "character/stage/BalloonShape.h"

#include <QPainter>

namespace vortana {

QPainterPath BalloonShape::outline() const
{
    // Inset by half the pen, so that the outline stays inside the window.
    const QRectF inner = QRectF(body).adjusted(1.5, 1.5, -1.5, -1.5);
    QPainterPath path;
    path.addRoundedRect(inner, Radius, Radius);
    const qreal edge = tailLeft ? inner.left() + 2 : inner.right() - 2;
    const qreal tipX = tailLeft ? 1.5 : windowWidth - 1.5;
    QPainterPath tail;
    tail.moveTo(edge, tailY - 9);
    tail.quadTo((edge + tipX) / 2, tailY - 2, tipX, tailY + 4);
    tail.quadTo((edge + tipX) / 2, tailY + 4, edge, tailY + 7);
    tail.closeSubpath();
    return path.united(tail).simplified();
}

QBitmap BalloonShape::mask() const
{
    QBitmap shape(windowWidth, body.height());
    shape.fill(Qt::color0);
    QPainter painter(&shape);
    painter.setBrush(Qt::color1);
    painter.setPen(Qt::color1);
    painter.drawPath(outline());
    return shape;
}

} // namespace vortana
