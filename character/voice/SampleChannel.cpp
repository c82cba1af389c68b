#include "character/voice/SampleChannel.h"

#include <algorithm>

namespace vortana {

bool SampleChannel::write(const std::int16_t *samples, std::size_t count)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_closed || m_samples.size() < m_capacity; });
    if (m_closed)
        return false;
    m_samples.insert(m_samples.end(), samples, samples + count);
    m_changed.notify_all();
    return true;
}

void SampleChannel::finish()
{
    std::lock_guard lock(m_mutex);
    m_finished = true;
    m_changed.notify_all();
}

std::size_t SampleChannel::read(std::int16_t *into, std::size_t count)
{
    std::unique_lock lock(m_mutex);
    const std::size_t wanted = std::min(count, m_capacity);
    m_changed.wait(lock, [&] { return m_closed || m_finished || m_samples.size() >= wanted; });
    const std::size_t taken = m_closed ? 0 : std::min(count, m_samples.size());
    std::copy_n(m_samples.begin(), taken, into);
    m_samples.erase(m_samples.begin(), m_samples.begin() + std::ptrdiff_t(taken));
    m_changed.notify_all();
    return taken;
}

void SampleChannel::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_samples.clear();
    m_changed.notify_all();
}

} // namespace vortana
