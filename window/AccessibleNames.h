#pragma once

namespace vortana {

struct Controls;

// Names every control a screen reader meets, in Italian: the question once it
// shows, the verdict, the scores, the clock and the record read with what
// they mean; the answer box and the pictures get names of their own.
void nameControlsForScreenReaders(const Controls &c);

} // namespace vortana
