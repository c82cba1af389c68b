#pragma once

#include "character/voice/Utterance.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace vortana {

// What the GUI thread asks of the audio thread, and how the audio thread
// reports that it has gone. Shared, so that an audio thread left behind by a
// hung sound server still has it to read.
struct PlaybackOrders
{
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable finished;
    std::uint64_t generation = 0; // of the newest utterance handed over
    std::uint64_t stopped = 0;    // every generation up to this one is to be silenced
    std::shared_ptr<const Utterance> next;
    bool quit = false;
    bool done = false;

    // Sleeps until `when`; true, at once, if the job is to stop meanwhile.
    bool cancelledBy(std::uint64_t job, std::chrono::steady_clock::time_point when)
    {
        std::unique_lock lock(mutex);
        return wake.wait_until(lock, when, [&] { return quit || job <= stopped || job < generation; });
    }
};

} // namespace vortana
