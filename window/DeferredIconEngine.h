#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>

namespace vortana {

// An icon that is made only when something first draws or measures it: the
// look-up behind it costs start-up time and memory, and may never be needed.
class DeferredIconEngine final : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine *clone() const override;

private:
    const QIcon &icon();

    std::function<QIcon()> m_make;
    QIcon m_icon;
    bool m_made = false;
};

} // namespace vortana
