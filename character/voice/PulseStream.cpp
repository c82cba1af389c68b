#include "character/voice/PulseStream.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QtDebug>

namespace vortana {

bool PulseStream::open(int sampleRate, std::chrono::milliseconds start, std::chrono::milliseconds lead)
{
    if (m_stream && m_rate == sampleRate)
        return true;
    close();
    const auto now = std::chrono::steady_clock::now();
    if (m_failedAt && now - *m_failedAt < RetryAfter)
        return false;
    const pa_sample_spec format{PA_SAMPLE_S16LE, std::uint32_t(sampleRate), 1};
    const auto bytes = [sampleRate](std::chrono::milliseconds span) {
        return std::uint32_t(sampleRate * 2 * span.count() / 1000);
    };
    const pa_buffer_attr attributes{std::uint32_t(-1), 2 * bytes(lead), bytes(start), std::uint32_t(-1),
                                    std::uint32_t(-1)};
    int error = 0;
    QByteArray name = QCoreApplication::applicationName().toUtf8();
    if (name.isEmpty())
        name = "Vortana";
    m_stream = pa_simple_new(nullptr, name.constData(), PA_STREAM_PLAYBACK, nullptr, "voce del personaggio",
                             &format, nullptr, &attributes, &error);
    if (!m_stream) {
        m_failedAt = now;
        qInfo("Nessun server audio (%s): il personaggio parla in silenzio", pa_strerror(error));
        return false;
    }
    m_failedAt.reset();
    m_rate = sampleRate;
    return true;
}

bool PulseStream::write(const std::int16_t *samples, std::size_t count)
{
    int error = 0;
    if (m_stream && pa_simple_write(m_stream, samples, count * sizeof *samples, &error) == 0)
        return true;
    close();
    return false;
}

void PulseStream::drain()
{
    int error = 0;
    if (m_stream && pa_simple_drain(m_stream, &error) != 0)
        close();
}

void PulseStream::flush()
{
    int error = 0;
    if (m_stream)
        pa_simple_flush(m_stream, &error);
}

void PulseStream::close()
{
    if (m_stream)
        pa_simple_free(m_stream);
    m_stream = nullptr;
}

} // namespace vortana
