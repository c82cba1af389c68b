#pragma once

#include "character/voice/Utterance.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace vortana {

// The result of a synthesis that runs on the speech thread: read on the GUI
// thread once ready() says so.
class PendingUtterance
{
public:
    PendingUtterance() = default;
    PendingUtterance(const PendingUtterance &) = delete;
    PendingUtterance &operator=(const PendingUtterance &) = delete;

    bool ready() const;
    // Null when the synthesis failed; error() then says why.
    std::shared_ptr<const Utterance> utterance() const;
    QString error() const;

    void fulfil(std::shared_ptr<const Utterance> utterance, QString error = {});
    // For tests and tools only: the game never waits on speech.
    bool wait(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_done;
    bool m_ready = false;
    std::shared_ptr<const Utterance> m_utterance;
    QString m_error;
};

} // namespace vortana
