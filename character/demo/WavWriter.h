#pragma once

#include "character/voice/Utterance.h"

#include <QString>

namespace vortana {

// Writes an utterance as a 16-bit mono WAV file, to listen to or measure.
class WavWriter
{
public:
    static bool write(const Utterance &utterance, const QString &path);
};

} // namespace vortana
