#pragma once

#include "character/file/CharacterArt.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace vortana {

// Rendered frames by what they show, so that an animation that comes back to
// a picture it has shown costs nothing but the copy to the screen. Only the
// most recently shown are kept: the idle loop and the mouths and blinks of
// speech come back to a dozen pictures, while a magic trick shows each of its
// frames once; each picture is a fair part of the game's memory.
class FrameCache
{
public:
    static constexpr int Capacity = 16;

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
    QStringList m_recent; // least recently shown first
};

} // namespace vortana
