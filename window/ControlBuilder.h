#pragma once

#include "quiz/controls/Controls.h"

namespace vortana {

class Clock;

// Creates every control of the main window on the client area, each with its
// caption, place, font, colours and state at start, stacked and tab-ordered.
Controls buildControls(ClientArea *area, const Clock &clock);

} // namespace vortana
