#pragma once

#include <QString>

#include <functional>

namespace vortana {

// The one place that runs event handlers. It never starts a handler while
// another is on the stack (a modal box runs a nested event loop, and a timer
// tick arriving there is dropped), and it is where every uncaught failure ends:
// the error is shown, then the program ends with a non-zero status.
class Dispatcher
{
public:
    static constexpr int ErrorExitStatus = 1;

    struct Hooks
    {
        std::function<void(const QString &message)> showError;
        std::function<void(int status)> endProgram;
    };

    explicit Dispatcher(Hooks hooks);
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // Runs the handler and returns true, or returns false when it was dropped
    // because another handler is running or the program has already ended.
    bool dispatch(const std::function<void()> &handler);

    bool busy() const { return m_busy; }
    bool ended() const { return m_ended; }
    int exitStatus() const { return m_exitStatus; }

private:
    void end(int status);

    Hooks m_hooks;
    bool m_busy = false;
    bool m_ended = false;
    int m_exitStatus = 0;
};

} // namespace vortana
