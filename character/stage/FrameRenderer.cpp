#include "character/stage/FrameRenderer.h"

namespace vortana {

void FrameRenderer::setHeight(int height, qreal devicePixelRatio)
{
    if (height == m_height && qFuzzyCompare(devicePixelRatio, m_ratio))
        return;
    m_height = height;
    m_ratio = devicePixelRatio;
    m_image = QImage();
}

std::optional<QRect> FrameRenderer::changedArea(const QList<LayerRef> &layers, qreal scale)
{
    if (m_image.isNull() || scale != m_scale || layers.size() != m_layers.size())
        return std::nullopt;
    QRect area;
    for (qsizetype i = 0; i < layers.size(); ++i) {
        const LayerRef &now = layers.at(i), &before = m_layers.at(i);
        if (now.offset != before.offset)
            return std::nullopt;
        if (now.id != before.id)
            area |= m_art.pixelArea(now, scale, m_height, m_ratio) | m_art.pixelArea(before, scale, m_height, m_ratio);
    }
    return area;
}

const QImage &FrameRenderer::frame(const QList<LayerRef> &layers, qreal scale)
{
    const std::optional<QRect> area = changedArea(layers, scale);
    if (!area)
        m_image = m_art.render(layers, scale, m_height, m_ratio);
    else if (!area->isEmpty())
        m_art.redraw(m_image, layers, scale, *area);
    m_layers = layers;
    m_scale = scale;
    return m_image;
}

} // namespace vortana
