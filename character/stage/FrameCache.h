#pragma once

#include "character/file/CharacterArt.h"

#include <QHash>
#include <QPixmap>
#include <QString>

namespace vortana {

// Rendered frames by what they show, so that an animation that comes back to
// a picture it has shown costs nothing but the copy to the screen.
class FrameCache
{
public:
    static constexpr int Capacity = 64;

    FrameCache(const QByteArray &svg, qreal ground) : m_art(svg, ground) {}

    QSize pixelSize() const { return m_art.pixelSize(m_height); }
    int height() const { return m_height; }
    // Where the feet stand, from the top of a frame.
    int ground() const { return qRound(m_art.groundAt(m_height)); }
    void setHeight(int height, qreal devicePixelRatio);

    const QPixmap &frame(const QList<LayerRef> &layers, qreal scale);
    qsizetype size() const { return m_frames.size(); }
    qint64 bytes() const;

    static QString keyOf(const QList<LayerRef> &layers, qreal scale);

private:
    CharacterArt m_art;
    int m_height = 128;
    qreal m_ratio = 1.0;
    QHash<QString, QPixmap> m_frames;
};

} // namespace vortana
