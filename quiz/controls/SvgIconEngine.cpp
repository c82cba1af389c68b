#include "quiz/controls/SvgIconEngine.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QtGlobal>

namespace vortana {

SvgIconEngine::SvgIconEngine(const QString &path) : m_path(path), m_renderer(path) {}

void SvgIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, render(rect.size(), ratio));
}

QPixmap SvgIconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State)
{
    return render(size, 1.0);
}

QPixmap SvgIconEngine::scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale)
{
    // Before Qt 6.8, QIcon::pixmap() hands its engine the size already
    // multiplied by the ratio; from 6.8 on, the size in device-independent pixels.
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    return render(scale > 0 ? (QSizeF(size) / scale).toSize() : size, scale);
#else
    return render(size, scale);
#endif
}

QPixmap SvgIconEngine::render(const QSize &size, qreal scale)
{
    if (!m_renderer.isValid() || size.isEmpty())
        return QPixmap();
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
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
