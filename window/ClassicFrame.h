#pragma once

#include <QPoint>

namespace vortana {

// The game gives Merlin places on the screen of the old platform, where this
// window opened at the screen's top-left corner in the classic frame: a
// 4-pixel sizing border, a 19-pixel caption and a 19-pixel menu bar lay
// between the screen's corner and the client area's. docs/design.md.
constexpr QPoint ClassicClientCorner(4, 4 + 19 + 19);

} // namespace vortana
