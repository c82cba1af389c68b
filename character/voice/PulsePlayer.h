#pragma once

#include "character/voice/PlaybackOrders.h"

#include <chrono>
#include <functional>
#include <memory>

namespace vortana {

class PulseStream;

// The audio thread: takes utterances from the orders one at a time and
// writes them to the sound server at the pace they play.
class PulsePlayer
{
public:
    static constexpr std::chrono::milliseconds Chunk{20};
    static constexpr std::chrono::milliseconds Lead{60};

    using Report = std::function<void(std::uint64_t generation, bool started, bool heard)>;

    static void run(std::shared_ptr<PlaybackOrders> orders, Report report);

private:
    static void playOne(PlaybackOrders &orders, PulseStream &stream, std::uint64_t job, const Utterance &utterance,
                        const Report &report);
};

} // namespace vortana
