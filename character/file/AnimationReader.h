#pragma once

#include "character/file/Animation.h"
#include "character/file/ManifestReader.h"

namespace vortana {

// Reads one named animation of a manifest: frames of layers with durations.
class AnimationReader
{
public:
    static constexpr int MaxFrames = 500;
    static constexpr int MaxLayers = 64;
    static constexpr int MaxFrameMs = 10000;

    explicit AnimationReader(const ManifestReader &reader) : m_reader(reader) {}

    Animation read(const QString &name, const QJsonValue &value) const;

private:
    AnimationFrame frame(const QJsonValue &value, const QString &where) const;
    LayerRef layer(const QJsonValue &value, const QString &where) const;

    const ManifestReader &m_reader;
};

} // namespace vortana
