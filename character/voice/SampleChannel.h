#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

namespace vortana {

// Audio handed from the speech thread to the audio thread while it is
// rendered, so that a long speech is never whole in memory: the writer waits
// while the reader is a capacity ahead of it, and either side may give up.
class SampleChannel
{
public:
    explicit SampleChannel(std::size_t capacity) : m_capacity(capacity) {}
    SampleChannel(const SampleChannel &) = delete;
    SampleChannel &operator=(const SampleChannel &) = delete;

    // False once the reader has gone: nobody will hear the rest.
    bool write(const std::int16_t *samples, std::size_t count);
    // The writer has no more.
    void finish();
    // Waits for `count` samples, or for as many as the channel holds; fewer
    // only at the end, none once all is read.
    std::size_t read(std::int16_t *into, std::size_t count);
    // The reader wants no more; a writer waiting for room stops waiting.
    void close();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::int16_t> m_samples;
    const std::size_t m_capacity;
    bool m_finished = false;
    bool m_closed = false;
};

} // namespace vortana
