#pragma once

#include <QString>

namespace vortana {

struct GameState;

// The arithmetic of the countdown, apart from any widget.
namespace countdown {

void reset(GameState &state);
// Counts the shown clock and the seconds left down by one second, borrowing a
// minute or an hour when the seconds are at 0.
void advance(GameState &state);
// The clock as shown: hours, minutes and seconds, two digits each, joined by ':'.
QString text(const GameState &state);

} // namespace countdown
} // namespace vortana
