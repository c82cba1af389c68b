#include "quiz/controls/SvgIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace vortana {

SvgIconEngine::SvgIconEngine(const QString &path) : m_path(path), m_renderer(path) {}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap SvgIconEngine::scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale)
{
    if (!m_renderer.isValid() || size.isEmpty())
        return QPixmap();
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(std::move(image));
}

QSize SvgIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    return size;
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("vortana-svg");
}

QIconEngine *SvgIconEngine::clone() const
{
    return new SvgIconEngine(m_path);
}

} // namespace vortana
