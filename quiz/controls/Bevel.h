#pragma once

class QPainter;
class QRect;

namespace vortana {

// The sunken two-pixel edge that framed labels and text boxes wear.
void paintSunkenEdge(QPainter &painter, const QRect &rect);
// The raised edge of a button; pressed buttons sink.
void paintButtonEdge(QPainter &painter, const QRect &rect, bool pressed);

} // namespace vortana
