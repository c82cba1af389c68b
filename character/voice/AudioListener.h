#pragma once

namespace vortana {

// What an audio sink tells the one who gave it sound; always on the GUI thread.
class AudioListener
{
public:
    virtual ~AudioListener() = default;
    // The first buffer has gone to the sound server.
    virtual void playbackStarted() = 0;
    // All of it has been played; `heard` is false when no sound server took
    // it, and the listener then keeps time by itself.
    virtual void playbackFinished(bool heard) = 0;
};

} // namespace vortana
