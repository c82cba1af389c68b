#include "record/WakeTimer.h"

#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace vortana {

namespace {

int wakeSignal()
{
    return SIGRTMIN + 7;
}

void ignoreWake(int) {}

} // namespace

WakeTimer::WakeTimer(std::chrono::milliseconds interval)
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        // Without SA_RESTART, so that the blocked call returns instead of resuming.
        struct sigaction action {};
        action.sa_handler = ignoreWake;
        sigemptyset(&action.sa_mask);
        ::sigaction(wakeSignal(), &action, nullptr);
    });
    sigset_t wake;
    sigemptyset(&wake);
    sigaddset(&wake, wakeSignal());
    ::pthread_sigmask(SIG_UNBLOCK, &wake, &m_oldMask);

    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = wakeSignal();
    event._sigev_un._tid = ::gettid();
    if (::timer_create(CLOCK_MONOTONIC, &event, &m_timer) != 0)
        return;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(interval);
    const timespec every{seconds.count(), std::chrono::nanoseconds(interval - seconds).count()};
    const itimerspec schedule{every, every};
    m_armed = ::timer_settime(m_timer, 0, &schedule, nullptr) == 0;
    if (!m_armed)
        ::timer_delete(m_timer);
}

WakeTimer::~WakeTimer()
{
    if (m_armed)
        ::timer_delete(m_timer);
    ::pthread_sigmask(SIG_SETMASK, &m_oldMask, nullptr);
}

} // namespace vortana
