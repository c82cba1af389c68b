#pragma once

#include "character/file/Animation.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSvgRenderer>
#include <QTransform>

class QPainter;

namespace vortana {

// The character's drawing: layers are elements of one SVG document, each
// drawn where the document puts it, so any size stays crisp.
class CharacterArt
{
public:
    // `ground`: where the feet stand, in the document's units.
    CharacterArt(const QByteArray &svg, qreal ground);
    CharacterArt(const CharacterArt &) = delete;
    CharacterArt &operator=(const CharacterArt &) = delete;

    QSizeF documentSize() const { return m_renderer.viewBoxF().size(); }
    QSize pixelSize(int height) const;
    // How far below the top of a picture `height` pixels high the feet stand.
    qreal groundAt(int height) const;
    // Transparent where no layer covers it.
    QImage render(const QList<LayerRef> &layers, qreal scale, int height, qreal devicePixelRatio);
    // Draws `area` (device pixels) of a picture render() made again, as it
    // would now be drawn whole.
    void redraw(QImage &image, const QList<LayerRef> &layers, qreal scale, const QRect &area);
    // The device pixels a layer may touch in such a picture.
    QRect pixelArea(const LayerRef &layer, qreal scale, int height, qreal devicePixelRatio);

private:
    QRectF placeOf(const QString &id);
    QTransform placement(qreal scale, const QSize &size) const;
    void paint(QPainter &painter, const QList<LayerRef> &layers);

    QSvgRenderer m_renderer;
    qreal m_ground;
    QHash<QString, QRectF> m_places;
};

} // namespace vortana
