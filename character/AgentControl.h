#pragma once

#include "character/Agent.h"
#include "character/CharacterCollection.h"
#include "character/HostWindow.h"
#include "character/queue/RequestQueue.h"
#include "character/voice/AudioSink.h"

#include <memory>

namespace vortana {

// The character host the game constructs once, after the QApplication and
// before its window, and destroys before the QApplication: the destructor
// silences speech and lets the sound and speech threads go.
class AgentControl final : public Agent
{
public:
    // Speaks through the sound server, on the steady clock.
    AgentControl();
    // For tests: their own clock and sound.
    AgentControl(const Clock &clock, std::unique_ptr<AudioSink> sink);
    ~AgentControl() override;
    AgentControl(const AgentControl &) = delete;
    AgentControl &operator=(const AgentControl &) = delete;

    AgentCharacters &Characters() override { return m_characters; }
    CharacterCollection &characters() { return m_characters; }
    // applicationDir/../share/vortana/chars/<id>.vchar, in the build tree as installed.
    QString characterFile(const QString &id) const override;

    RequestQueue &queue() { return m_queue; }
    // The game's window, whose outer corner the characters' places are read from.
    void setHostWindow(QWidget *window) { m_host.set(window); }

private:
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<AudioSink> m_sink;
    RequestQueue m_queue;
    HostWindow m_host;
    CharacterCollection m_characters;
};

} // namespace vortana
