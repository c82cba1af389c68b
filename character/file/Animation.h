#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <chrono>

namespace vortana {

// One element of the character's art, drawn where the document puts it,
// shifted by `offset` (document units).
struct LayerRef
{
    QString id;
    QPointF offset;

    friend bool operator==(const LayerRef &, const LayerRef &) = default;
};

struct AnimationFrame
{
    QList<LayerRef> layers;
    std::chrono::milliseconds duration{100};
    // Growth around the bottom centre, so the character can rise out of a puff.
    qreal scale = 1.0;
};

struct Animation
{
    QString name;
    QList<AnimationFrame> frames;

    std::chrono::milliseconds length() const;
    // Past the end, the last frame stays unless the animation loops.
    const AnimationFrame &frameAt(std::chrono::nanoseconds elapsed, bool loop) const;
    // How long the frame shown at `elapsed` goes on being shown.
    std::chrono::nanoseconds remainingAt(std::chrono::nanoseconds elapsed, bool loop) const;
};

} // namespace vortana
