#include "character/file/CharacterArt.h"

#include <QPainter>

#include <cmath>

namespace vortana {

CharacterArt::CharacterArt(const QByteArray &svg, qreal ground) : m_renderer(svg), m_ground(ground) {}

qreal CharacterArt::groundAt(int height) const
{
    const QRectF view = m_renderer.viewBoxF();
    return view.isEmpty() ? height : (m_ground - view.top()) * height / view.height();
}

QSize CharacterArt::pixelSize(int height) const
{
    const QSizeF document = documentSize();
    if (document.isEmpty())
        return {height, height};
    return {std::max(1, int(std::lround(document.width() * height / document.height()))), height};
}

QRectF CharacterArt::placeOf(const QString &id)
{
    auto it = m_places.constFind(id);
    if (it == m_places.constEnd())
        it = m_places.insert(id, m_renderer.transformForElement(id).mapRect(m_renderer.boundsOnElement(id)));
    return it.value();
}

QTransform CharacterArt::placement(qreal scale, const QSize &size) const
{
    const QRectF view = m_renderer.viewBoxF();
    const qreal unit = size.height() / view.height();
    // Growth is about the middle of the ground line, where the character stands.
    return QTransform::fromTranslate(-view.center().x(), -m_ground) * QTransform::fromScale(scale * unit, scale * unit)
           * QTransform::fromTranslate(size.width() / 2.0, groundAt(size.height()));
}

void CharacterArt::paint(QPainter &painter, const QList<LayerRef> &layers)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const LayerRef &layer : layers) {
        const QRectF place = placeOf(layer.id);
        if (!place.isEmpty())
            m_renderer.render(&painter, layer.id, place.translated(layer.offset));
    }
}

QImage CharacterArt::render(const QList<LayerRef> &layers, qreal scale, int height, qreal devicePixelRatio)
{
    const QSize size = pixelSize(height);
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setTransform(placement(scale, size), true);
    paint(painter, layers);
    return image;
}

void CharacterArt::redraw(QImage &image, const QList<LayerRef> &layers, qreal scale, const QRect &area)
{
    const qreal ratio = image.devicePixelRatio();
    const QRectF logical(area.x() / ratio, area.y() / ratio, area.width() / ratio, area.height() / ratio);
    QPainter painter(&image);
    painter.setClipRect(logical);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(logical, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QSize size = (QSizeF(image.size()) / ratio).toSize();
    painter.setTransform(placement(scale, size), true);
    // Layers that do not reach the area would only be clipped away.
    QList<LayerRef> reaching;
    for (const LayerRef &layer : layers) {
        if (pixelArea(layer, scale, size.height(), ratio).intersects(area))
            reaching.append(layer);
    }
    paint(painter, reaching);
}

QRect CharacterArt::pixelArea(const LayerRef &layer, qreal scale, int height, qreal devicePixelRatio)
{
    // Smoothing may reach a pixel past the bounds.
    constexpr qreal Outline = 1;
    const QRectF place = placeOf(layer.id);
    if (place.isEmpty())
        return {};
    const QTransform toDevice = placement(scale, pixelSize(height)) * QTransform::fromScale(devicePixelRatio, devicePixelRatio);
    const qreal margin = Outline * devicePixelRatio;
    return toDevice.mapRect(place.translated(layer.offset)).adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

} // namespace vortana
