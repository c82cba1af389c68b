#pragma once

#include "character/voice/AudioSink.h"
#include "character/voice/PlaybackOrders.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <thread>

namespace vortana {

class GuiMailbox;

// Sound through PulseAudio's simple API (also served by PipeWire), written
// from a thread of its own so that the GUI thread never waits on the server.
class PulseAudioOutput final : public QObject, public AudioSink
{
    Q_OBJECT

public:
    // How long the destructor waits for a server that stopped answering.
    static constexpr std::chrono::milliseconds ShutdownWait{1500};

    explicit PulseAudioOutput(QObject *parent = nullptr);
    ~PulseAudioOutput() override;

    void play(std::shared_ptr<const Utterance> utterance, AudioListener *listener) override;
    void stop() override;

private:
    void deliver(std::uint64_t generation, bool started, bool heard);

    std::shared_ptr<PlaybackOrders> m_orders;
    std::shared_ptr<GuiMailbox> m_mailbox;
    std::thread m_thread;
    AudioListener *m_listener = nullptr;
    std::uint64_t m_generation = 0;
};

} // namespace vortana
