#pragma once

#include "character/file/ManifestReader.h"
#include "character/file/VoiceSettings.h"

namespace vortana {

// Reads a manifest's voice: a speech-engine voice name and its settings,
// each checked against what the engine accepts.
class VoiceReader
{
public:
    explicit VoiceReader(const ManifestReader &reader) : m_reader(reader) {}

    VoiceSettings read(const QJsonValue &value) const;

private:
    const ManifestReader &m_reader;
};

} // namespace vortana
