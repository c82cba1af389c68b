#pragma once

#include "character/file/CharacterArt.h"

#include <QImage>

#include <optional>

namespace vortana {

// The character's picture on show. The next picture is drawn over it only
// where their layers differ: while he talks and blinks, a mouth or a pair of
// eyes, not the whole wizard; one picture is all that is kept.
class FrameRenderer
{
public:
    FrameRenderer(const QByteArray &svg, qreal ground) : m_art(svg, ground) {}

    QSize pixelSize() const { return m_art.pixelSize(m_height); }
    int height() const { return m_height; }
    // Where the feet stand, from the top of a frame.
    int ground() const { return qRound(m_art.groundAt(m_height)); }
    void setHeight(int height, qreal devicePixelRatio);

    // The one picture kept, drawn over in place: whoever shows it keeps no
    // copy, or every redraw would first copy the whole of it.
    const QImage &frame(const QList<LayerRef> &layers, qreal scale);
    qint64 bytes() const { return m_image.sizeInBytes(); }

    // Whether the picture kept is already these layers at this scale.
    bool shows(const QList<LayerRef> &layers, qreal scale) const
    {
        return !m_image.isNull() && scale == m_scale && layers == m_layers;
    }

private:
    // In device pixels; none when the whole picture must be drawn again.
    std::optional<QRect> changedArea(const QList<LayerRef> &layers, qreal scale);

    CharacterArt m_art;
    int m_height = 128;
    qreal m_ratio = 1.0;
    QImage m_image;
    QList<LayerRef> m_layers;
    qreal m_scale = 1.0;
};

} // namespace vortana
