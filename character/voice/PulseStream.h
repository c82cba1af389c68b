#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

struct pa_simple;

namespace vortana {

// One playback stream to the sound server, opened on demand. Used only from
// the audio thread; after a failed connection it waits a while before trying
// again, so that a machine without sound does not pay for it on every word.
class PulseStream
{
public:
    static constexpr std::chrono::seconds RetryAfter{3};

    PulseStream() = default;
    ~PulseStream() { close(); }
    PulseStream(const PulseStream &) = delete;
    PulseStream &operator=(const PulseStream &) = delete;

    // Playback starts once `start` is buffered; the server holds up to twice `lead`.
    bool open(int sampleRate, std::chrono::milliseconds start, std::chrono::milliseconds lead);
    bool write(const std::int16_t *samples, std::size_t count);
    void drain();
    void flush();
    void close();

private:
    pa_simple *m_stream = nullptr;
    int m_rate = 0;
    std::optional<std::chrono::steady_clock::time_point> m_failedAt;
};

} // namespace vortana
