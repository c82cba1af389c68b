#include "quiz/controls/Bevel.h"

#include <QPainter>

namespace vortana {

namespace {

void edge(QPainter &p, const QRect &r, const QColor &topLeft, const QColor &bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

} // namespace

void paintSunkenEdge(QPainter &painter, const QRect &rect)
{
    painter.save();
    edge(painter, rect, QColor(0x80, 0x80, 0x80), Qt::white);
    edge(painter, rect.adjusted(1, 1, -1, -1), Qt::black, QColor(0xC0, 0xC0, 0xC0));
    painter.restore();
}

void paintButtonEdge(QPainter &painter, const QRect &rect, bool pressed)
{
    painter.save();
    if (pressed) {
        painter.setPen(Qt::black);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    } else {
        edge(painter, rect, Qt::white, Qt::black);
        edge(painter, rect.adjusted(1, 1, -1, -1), QColor(0xDF, 0xDF, 0xDF), QColor(0x80, 0x80, 0x80));
    }
    painter.restore();
}

} // namespace vortana
