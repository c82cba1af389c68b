#pragma once

#include <QPixmap>
#include <QRegion>

namespace vortana {

// A frame ready for the window: its picture, and the region it covers, which
// is the window's shape where no compositor blends the transparent parts.
struct RenderedFrame
{
    QPixmap picture;
    QRegion shape;
};

} // namespace vortana
