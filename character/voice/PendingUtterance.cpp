#include "character/voice/PendingUtterance.h"

namespace vortana {

bool PendingUtterance::ready() const
{
    std::lock_guard lock(m_mutex);
    return m_ready;
}

std::shared_ptr<const Utterance> PendingUtterance::utterance() const
{
    std::lock_guard lock(m_mutex);
    return m_utterance;
}

QString PendingUtterance::error() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

void PendingUtterance::fulfil(std::shared_ptr<const Utterance> utterance, QString error)
{
    {
        std::lock_guard lock(m_mutex);
        m_utterance = std::move(utterance);
        m_error = std::move(error);
        m_ready = true;
    }
    m_done.notify_all();
}

bool PendingUtterance::wait(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, timeout, [this] { return m_ready; });
}

} // namespace vortana
