#include "quiz/Countdown.h"

#include "quiz/GameState.h"
#include "runtime/Picture.h"

namespace vortana::countdown {

void reset(GameState &state)
{
    state.clockHours = 0;
    state.clockMinutes = 7;
    state.clockSeconds = 0.0f;
    state.secondsLeft = 420;
}

void advance(GameState &state)
{
    if (state.clockSeconds == 0.0f) {
        if (state.clockMinutes > 0) {
            state.clockMinutes -= 1;
            state.clockSeconds = 60.0f;
        } else if (state.clockMinutes == 0) {
            if (state.clockHours > 0) {
                state.clockHours -= 1;
                state.clockMinutes = 59;
                state.clockSeconds = 60.0f;
            } else {
                state.clockHours = 0;
                state.clockMinutes = 0;
            }
        }
    }
    state.clockSeconds = state.clockSeconds - 1.0f;
    state.secondsLeft -= 1;
}

QString text(const GameState &state)
{
    const QStringView twoDigits = u"00";
    return formatPicture(static_cast<long long>(state.clockHours), twoDigits) + QLatin1Char(':')
        + formatPicture(static_cast<long long>(state.clockMinutes), twoDigits) + QLatin1Char(':')
        + formatPicture(static_cast<double>(state.clockSeconds), twoDigits);
}

} // namespace vortana::countdown
