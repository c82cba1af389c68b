#pragma once

#include <QByteArray>

namespace vortana {

// How a character sounds, in the speech engine's own terms.
struct VoiceSettings
{
    QByteArray voice = "it"; // language, optionally "+variant"
    int rate = 150;          // words per minute
    int pitch = 50;          // 0..99
    int range = 50;          // 0..99, how much the pitch moves
    int volume = 100;        // 0..200

    friend bool operator==(const VoiceSettings &, const VoiceSettings &) = default;
};

} // namespace vortana
