#include "character/voice/PulsePlayer.h"

#include "character/voice/EspeakSynthesizer.h"
#include "character/voice/PulseStream.h"

namespace vortana {

void PulsePlayer::run(std::shared_ptr<PlaybackOrders> orders, Report report)
{
    {
        PulseStream stream;
        // Connecting early spares the first word the wait.
        stream.open(EspeakSynthesizer::SampleRate, Chunk, Lead);
        for (;;) {
            std::shared_ptr<const Utterance> utterance;
            std::uint64_t job = 0;
            {
                std::unique_lock lock(orders->mutex);
                orders->wake.wait(lock, [&] { return orders->quit || orders->next; });
                if (orders->quit)
                    break;
                utterance = std::move(orders->next);
                job = orders->generation;
            }
            playOne(*orders, stream, job, *utterance, report);
        }
    }
    std::lock_guard lock(orders->mutex);
    orders->done = true;
    orders->finished.notify_all();
}

void PulsePlayer::playOne(PlaybackOrders &orders, PulseStream &stream, std::uint64_t job, const Utterance &utterance,
                          const Report &report)
{
    if (!stream.open(utterance.sampleRate, Chunk, Lead)) {
        report(job, false, false);
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto chunk = std::size_t(utterance.sampleRate) * Chunk.count() / 1000;
    const std::vector<std::int16_t> &samples = utterance.samples;
    const Clock::time_point begin = Clock::now();
    // Never more than Lead ahead of the server: a write then finds room at
    // once, and the thread waits here, where a stop reaches it, not inside
    // the library.
    std::size_t written = 0;
    for (int k = 0; written < samples.size(); ++k) {
        if (orders.cancelledBy(job, begin + k * Chunk - Lead)) {
            stream.flush();
            return;
        }
        const std::size_t count = std::min(chunk, samples.size() - written);
        if (!stream.write(samples.data() + written, count)) {
            report(job, false, false);
            return;
        }
        if (written == 0)
            report(job, true, true);
        written += count;
    }
    if (orders.cancelledBy(job, begin + utterance.length())) {
        stream.flush();
        return;
    }
    stream.drain();
    report(job, false, true);
}

} // namespace vortana
