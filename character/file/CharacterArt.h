#pragma once

#include "character/file/Animation.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSvgRenderer>

namespace vortana {

// The character's drawing: layers are elements of one SVG document, each
// drawn where the document puts it, so any size stays crisp.
class CharacterArt
{
public:
    explicit CharacterArt(const QByteArray &svg);
    CharacterArt(const CharacterArt &) = delete;
    CharacterArt &operator=(const CharacterArt &) = delete;

    QSizeF documentSize() const { return m_renderer.viewBoxF().size(); }
    QSize pixelSize(int height) const;
    // Transparent where no layer covers it.
    QImage render(const QList<LayerRef> &layers, qreal scale, int height, qreal devicePixelRatio);

private:
    QRectF placeOf(const QString &id);

    QSvgRenderer m_renderer;
    QHash<QString, QRectF> m_places;
};

} // namespace vortana
