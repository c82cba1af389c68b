#include "runtime/TickTimer.h"

namespace vortana {

TickTimer::TickTimer(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock)
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    connect(&m_wake, &QTimer::timeout, this, &TickTimer::poll);
}

void TickTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_ticks = 0;
    m_start = m_clock.now();
    if (enabled)
        arm();
    else
        m_wake.stop();
}

void TickTimer::poll()
{
    if (!m_enabled)
        return;
    if (m_clock.now() >= nextDue()) {
        ++m_ticks;
        Q_EMIT tick();
    }
    // A handler may have disabled the timer, or the program may be ending.
    if (m_enabled)
        arm();
}

void TickTimer::arm()
{
    using namespace std::chrono;
    const auto wait = ceil<milliseconds>(nextDue() - m_clock.now());
    m_wake.start(std::max(wait, milliseconds(0)));
}

} // namespace vortana
