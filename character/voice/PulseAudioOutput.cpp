#include "character/voice/PulseAudioOutput.h"

#include "character/voice/AudioListener.h"
#include "runtime/GuiMailbox.h"

#include "character/voice/PulsePlayer.h"

#include <QtDebug>

namespace vortana {

PulseAudioOutput::PulseAudioOutput(QObject *parent)
    : QObject(parent), m_orders(std::make_shared<PlaybackOrders>()), m_mailbox(GuiMailbox::create(this))
{
    std::shared_ptr<GuiMailbox> mailbox = m_mailbox;
    m_thread = std::thread(PulsePlayer::run, m_orders, [mailbox, this](std::uint64_t generation, bool started, bool heard) {
        mailbox->post([this, generation, started, heard] { deliver(generation, started, heard); });
    });
}

PulseAudioOutput::~PulseAudioOutput()
{
    m_mailbox->close();
    std::unique_lock lock(m_orders->mutex);
    m_orders->quit = true;
    m_orders->wake.notify_all();
    // A server that hangs must not hang the program's exit with it.
    const bool done = m_orders->finished.wait_for(lock, ShutdownWait, [this] { return m_orders->done; });
    lock.unlock();
    if (done) {
        m_thread.join();
    } else {
        qWarning("Il server audio non risponde: l'uscita non lo aspetta");
        m_thread.detach();
    }
}

void PulseAudioOutput::play(std::shared_ptr<const Utterance> utterance, AudioListener *listener)
{
    m_listener = listener;
    {
        std::lock_guard lock(m_orders->mutex);
        m_generation = ++m_orders->generation;
        m_orders->next = std::move(utterance);
    }
    m_orders->wake.notify_all();
}

void PulseAudioOutput::stop()
{
    m_listener = nullptr;
    {
        std::lock_guard lock(m_orders->mutex);
        m_orders->stopped = m_orders->generation;
        m_orders->next.reset();
    }
    m_orders->wake.notify_all();
}

void PulseAudioOutput::deliver(std::uint64_t generation, bool started, bool heard)
{
    if (generation != m_generation || !m_listener)
        return;
    AudioListener *listener = m_listener;
    if (started) {
        listener->playbackStarted();
    } else {
        m_listener = nullptr;
        listener->playbackFinished(heard);
    }
}

} // namespace vortana
