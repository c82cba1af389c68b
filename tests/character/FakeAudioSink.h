#pragma once

#include "character/voice/AudioListener.h"
#include "character/voice/AudioSink.h"

#include <QList>

#include <memory>

namespace vortana {

// Stands for the sound server. `Live` plays until finish() is called;
// `Absent` answers as a machine without sound does; `Stuck` never answers.
class FakeAudioSink final : public AudioSink
{
public:
    enum class Mode { Live, Absent, Stuck };

    explicit FakeAudioSink(Mode mode = Mode::Live) : m_mode(mode) {}

    void play(std::shared_ptr<const Utterance> utterance, AudioListener *listener) override
    {
        if (m_listener)
            ++overlaps; // a second text while one still sounds
        played.append(std::move(utterance));
        m_listener = listener;
        if (m_mode == Mode::Absent)
            finish(false);
        else if (m_mode == Mode::Live)
            listener->playbackStarted();
    }
    void stop() override
    {
        ++stops;
        m_listener = nullptr;
    }

    bool busy() const { return m_listener; }
    void finish(bool heard = true)
    {
        AudioListener *listener = m_listener;
        m_listener = nullptr;
        if (listener)
            listener->playbackFinished(heard);
    }

    QList<std::shared_ptr<const Utterance>> played;
    int overlaps = 0;
    int stops = 0;

private:
    Mode m_mode;
    AudioListener *m_listener = nullptr;
};

} // namespace vortana
