#pragma once

#include <chrono>
#include <csignal>
#include <ctime>

namespace vortana {

// Interrupts the calling thread every `interval` while it lives, so that a
// blocking call without a timeout of its own (flock) returns EINTR and its
// caller can give up at a deadline. A wake-up that comes just before the call
// is made good by the next one. Only this thread is woken, by a real-time
// signal whose handler does nothing.
class WakeTimer
{
public:
    explicit WakeTimer(std::chrono::milliseconds interval);
    ~WakeTimer();
    WakeTimer(const WakeTimer &) = delete;
    WakeTimer &operator=(const WakeTimer &) = delete;

    // False when the system gave no timer: the caller must not block then.
    bool armed() const { return m_armed; }

private:
    timer_t m_timer{};
    sigset_t m_oldMask{};
    bool m_armed = false;
};

} // namespace vortana
