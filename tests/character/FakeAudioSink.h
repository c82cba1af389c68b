#pragma once

#include "character/voice/AudioListener.h"
#include "character/voice/AudioSink.h"

#include <QList>

#include <memory>

namespace vortana {

// Stands for the sound server: `Absent` answers as a machine without sound
// does; `Stuck` takes the sound and never answers.
class FakeAudioSink final : public AudioSink
{
public:
    enum class Mode { Absent, Stuck };

    explicit FakeAudioSink(Mode mode = Mode::Absent) : m_mode(mode) {}

    void play(std::shared_ptr<const Utterance> utterance, AudioListener *listener) override
    {
        played.append(std::move(utterance));
        if (m_mode == Mode::Absent)
            listener->playbackFinished(false);
    }
    void stop() override { ++stops; }

    QList<std::shared_ptr<const Utterance>> played;
    int stops = 0;

private:
    Mode m_mode;
};

} // namespace vortana
