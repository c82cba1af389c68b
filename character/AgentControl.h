#pragma once

#include "character/Agent.h"
#include "character/CharacterCollection.h"
#include "character/StageHost.h"
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
    // Speaks through the sound server, on the steady clock. The speech engine
    // starts here and loads its voice on its own thread, so that characters
    // loaded later find it ready.
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
    // The widget the characters stand in, and where its corner lay on the
    // screen whose points MoveTo is given. Characters loaded later stand in it.
    void setStage(QWidget *widget, QPoint cornerOnScreen) { m_host.set(widget, cornerOnScreen); }

private:
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<AudioSink> m_sink;
    RequestQueue m_queue;
    StageHost m_host;
    CharacterCollection m_characters;
};

} // namespace vortana
