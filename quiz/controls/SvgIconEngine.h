#pragma once

#include <QIconEngine>
#include <QSvgRenderer>

namespace vortana {

// A picture drawn from its SVG at whatever size is asked for, and kept in no
// cache: Qt's own engine for SVG is a plugin to load, and it holds every size
// it has drawn (the window's icon alone, four sizes of it) for as long as the
// program runs. These pictures are small and drawn seldom.
class SvgIconEngine final : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString &path);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    bool isNull() override { return !m_renderer.isValid(); }
    QString key() const override;
    QIconEngine *clone() const override;

private:
    // The picture at a size in device-independent pixels, drawn at the ratio.
    QPixmap render(const QSize &size, qreal scale);

    QString m_path;
    QSvgRenderer m_renderer;
};

} // namespace vortana
