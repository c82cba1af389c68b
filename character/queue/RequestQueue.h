#pragma once

#include "character/queue/Request.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>

namespace vortana {

class GuiMailbox;

// Performs the character's requests one after the other, on the GUI thread,
// stepped by a timer while there is work. A request that overruns its limit
// or fails is ended, so nothing behind it waits for ever.
class RequestQueue : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds Step{40}; // 25 pictures a second

    explicit RequestQueue(const Clock &clock, QObject *parent = nullptr);
    ~RequestQueue() override;

    void enqueue(std::unique_ptr<Request> request);
    // Ends the running request and drops the waiting ones.
    void clear();
    void discard(const void *owner);

    bool isIdle() const { return !m_current && m_waiting.empty(); }
    std::size_t waiting() const { return m_waiting.size(); }
    const Clock &clock() const { return m_clock; }
    quint64 steps() const { return m_steps; }
    // Other threads ask for a step through this, for instance when a voice is ready.
    const std::shared_ptr<GuiMailbox> &mailbox() const { return m_mailbox; }

    void poll();

Q_SIGNALS:
    void requestStarted();
    void requestFinished(bool completed);

private:
    void finishCurrent(bool completed);

    const Clock &m_clock;
    QTimer m_timer;
    std::deque<std::unique_ptr<Request>> m_waiting;
    std::unique_ptr<Request> m_current;
    Clock::Duration m_startedAt{};
    std::shared_ptr<GuiMailbox> m_mailbox;
    bool m_polling = false;
    quint64 m_steps = 0;
};

} // namespace vortana
