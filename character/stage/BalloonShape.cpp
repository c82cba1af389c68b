#include "character/stage/BalloonShape.h"

namespace vortana {

QPainterPath BalloonShape::outline() const
{
    // Inset by half the pen, so that the outline stays inside the widget.
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

} // namespace vortana
