#pragma once

#include <QPainterPath>
#include <QRect>

namespace vortana {

// The outline of a speech balloon: a rounded body with a tail on one side
// pointing at the speaker, filling a widget of the body's height.
struct BalloonShape
{
    static constexpr int Radius = 14;

    QRect body;
    int windowWidth = 0;
    bool tailLeft = true;
    int tailY = 0; // where the tail's tip is, from the top

    QPainterPath outline() const;
};

} // namespace vortana
