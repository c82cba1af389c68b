#include "character/voice/PulsePlayer.h"

#include "character/voice/EspeakSynthesizer.h"
#include "character/voice/PulseStream.h"
#include "character/voice/SampleChannel.h"

namespace vortana {

namespace {

// However the playing ends, the renderer feeding it stops.
struct ChannelCloser
{
    SampleChannel *channel;
    ~ChannelCloser()
    {
        if (channel)
            channel->close();
    }
};

} // namespace

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
    // A speech too long to be kept is rendered again while it plays.
    const std::shared_ptr<SampleChannel> channel =
        utterance.samples.empty() && utterance.replay ? utterance.replay() : nullptr;
    const ChannelCloser closer{channel.get()};
    std::vector<std::int16_t> piece(channel ? chunk : 0);
    const Clock::time_point begin = Clock::now();
    // Never more than Lead ahead of the server: a write then finds room at
    // once, and the thread waits here, where a stop reaches it, not inside
    // the library.
    const std::size_t total = channel ? utterance.sampleCount : utterance.samples.size();
    std::size_t written = 0;
    for (int k = 0; written < total; ++k) {
        if (orders.cancelledBy(job, begin + k * Chunk - Lead)) {
            stream.flush();
            return;
        }
        std::size_t count = std::min(chunk, total - written);
        const std::int16_t *samples = piece.data();
        if (!channel)
            samples = utterance.samples.data() + written;
        else if ((count = channel->read(piece.data(), count)) == 0)
            break;
        if (!stream.write(samples, count)) {
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
