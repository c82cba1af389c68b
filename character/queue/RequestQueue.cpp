#include "character/queue/RequestQueue.h"

#include "runtime/Trace.h"

#include "runtime/GuiMailbox.h"

#include <QtDebug>

#include <exception>

namespace vortana {

RequestQueue::RequestQueue(const Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock), m_mailbox(GuiMailbox::create(this))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(Step);
    connect(&m_timer, &QTimer::timeout, this, &RequestQueue::poll);
}

RequestQueue::~RequestQueue()
{
    m_mailbox->close();
    clear();
}

void RequestQueue::enqueue(std::unique_ptr<Request> request)
{
    m_waiting.push_back(std::move(request));
    // The caller goes on at once; the request starts on the next turn of the loop.
    if (!m_timer.isActive())
        QMetaObject::invokeMethod(this, &RequestQueue::poll, Qt::QueuedConnection);
}

void RequestQueue::clear()
{
    m_waiting.clear();
    if (m_current)
        finishCurrent(false);
    m_timer.stop();
}

void RequestQueue::discard(const void *owner)
{
    std::erase_if(m_waiting, [owner](const std::unique_ptr<Request> &request) { return request->owner() == owner; });
    if (m_current && m_current->owner() == owner)
        finishCurrent(false);
}

void RequestQueue::finishCurrent(bool completed)
{
    std::unique_ptr<Request> request = std::move(m_current);
    if (!completed) {
        try {
            request->cancel();
        } catch (const std::exception &error) {
            qWarning("Richiesta al personaggio interrotta male: %s", error.what());
        } catch (...) {
            qWarning("Richiesta al personaggio interrotta male");
        }
    }
    request.reset();
    trace("request-end");
    Q_EMIT requestFinished(completed);
}

void RequestQueue::poll()
{
    // A request may run the event loop's callbacks; never step inside a step.
    if (m_polling)
        return;
    m_polling = true;
    ++m_steps;
    for (;;) {
        const Clock::Duration now = m_clock.now();
        bool starting = false;
        if (!m_current) {
            if (m_waiting.empty())
                break;
            m_current = std::move(m_waiting.front());
            m_waiting.pop_front();
            m_startedAt = now;
            starting = true;
            Q_EMIT requestStarted();
            trace("request-start");
        }
        bool done = true;
        try {
            if (starting)
                m_current->start(now);
            done = m_current->advance(now);
        } catch (const std::exception &error) {
            qWarning("Richiesta al personaggio fallita: %s", error.what());
            finishCurrent(false);
            continue;
        } catch (...) {
            qWarning("Richiesta al personaggio fallita");
            finishCurrent(false);
            continue;
        }
        if (done) {
            finishCurrent(true);
            continue;
        }
        if (now - m_startedAt > m_current->limit()) {
            qWarning("Richiesta al personaggio oltre il tempo concesso: interrotta");
            finishCurrent(false);
            continue;
        }
        break;
    }
    if (isIdle()) {
        if (m_timer.isActive())
            trace("character-idle");
        m_timer.stop();
    } else if (!m_timer.isActive())
        m_timer.start();
    m_polling = false;
}

} // namespace vortana
