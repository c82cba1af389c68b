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

QImage CharacterArt::render(const QList<LayerRef> &layers, qreal scale, int height, qreal devicePixelRatio)
{
    const QSize size = pixelSize(height);
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF view = m_renderer.viewBoxF();
    const qreal unit = size.height() / view.height();
    // Growth is about the middle of the ground line, where the character stands.
    painter.translate(size.width() / 2.0, groundAt(size.height()));
    painter.scale(scale * unit, scale * unit);
    painter.translate(-view.center().x(), -m_ground);
    for (const LayerRef &layer : layers) {
        const QRectF place = placeOf(layer.id);
        if (!place.isEmpty())
            m_renderer.render(&painter, layer.id, place.translated(layer.offset));
    }
    return image;
}

} // namespace vortana
