#pragma once

#include "runtime/Clock.h"

#include <QObject>
#include <QTimer>

namespace vortana {

// A timer control that keeps real time: tick k is due k intervals after it was
// enabled, measured on a monotonic clock, so waiting does not add up into drift.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    explicit TickTimer(const Clock &clock, QObject *parent = nullptr);

    void setInterval(std::chrono::milliseconds interval) { m_interval = interval; }
    std::chrono::milliseconds interval() const { return m_interval; }

    bool isEnabled() const { return m_enabled; }
    // Enabling starts the schedule afresh from now; disabling stops it.
    void setEnabled(bool enabled);

    // When the next tick is due, on the clock's scale.
    Clock::Duration nextDue() const { return m_start + m_interval * (m_ticks + 1); }
    long long ticksEmitted() const { return m_ticks; }

    // Emits the tick that is due, if any, and arms the wake-up for the next.
    void poll();

Q_SIGNALS:
    void tick();

private:
    void arm();

    const Clock &m_clock;
    QTimer m_wake;
    std::chrono::milliseconds m_interval{1000};
    Clock::Duration m_start{};
    long long m_ticks = 0;
    bool m_enabled = false;
};

} // namespace vortana
