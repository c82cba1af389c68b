#pragma once

#include "character/voice/Utterance.h"

#include <memory>

namespace vortana {

class AudioListener;

// Plays one utterance at a time; a new one ends the one before.
class AudioSink
{
public:
    virtual ~AudioSink() = default;
    // The listener hears about this utterance until it ends or stop() is called.
    virtual void play(std::shared_ptr<const Utterance> utterance, AudioListener *listener) = 0;
    // Silences what is playing and forgets its listener.
    virtual void stop() = 0;
};

} // namespace vortana
