#include "character/stage/FrameCache.h"

namespace vortana {

void FrameCache::setHeight(int height, qreal devicePixelRatio)
{
    if (height == m_height && qFuzzyCompare(devicePixelRatio, m_ratio))
        return;
    m_height = height;
    m_ratio = devicePixelRatio;
    m_frames.clear();
    m_recent.clear();
}

QString FrameCache::keyOf(const QList<LayerRef> &layers, qreal scale)
{
    QString key = QString::number(scale);
    for (const LayerRef &layer : layers) {
        key += QLatin1Char('|') + layer.id;
        if (!layer.offset.isNull())
            key += QStringLiteral("@%1,%2").arg(layer.offset.x()).arg(layer.offset.y());
    }
    return key;
}

const QPixmap &FrameCache::frame(const QList<LayerRef> &layers, qreal scale)
{
    const QString key = keyOf(layers, scale);
    auto it = m_frames.constFind(key);
    if (it != m_frames.constEnd()) {
        m_recent.move(m_recent.indexOf(key), m_recent.size() - 1);
        return it.value();
    }
    if (m_frames.size() >= Capacity)
        m_frames.remove(m_recent.takeFirst());
    m_recent.append(key);
    return m_frames.insert(key, QPixmap::fromImage(m_art.render(layers, scale, m_height, m_ratio))).value();
}

qint64 FrameCache::bytes() const
{
    qint64 total = 0;
    for (const QPixmap &frame : m_frames)
        total += qint64(frame.width()) * frame.height() * 4;
    return total;
}

} // namespace vortana
