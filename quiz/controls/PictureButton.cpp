#include "quiz/controls/PictureButton.h"

#include "quiz/controls/Bevel.h"

#include <QKeyEvent>
#include <QPainter>

namespace vortana {

namespace {

constexpr int PictureSize = 32;
constexpr int PictureTop = 5;

} // namespace

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent), m_face(0xC0, 0xC0, 0xC0)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setFaceColor(const QColor &color)
{
    m_face = color;
    update();
}

void PictureButton::setPictures(const QIcon &normal, const QIcon &down, const QIcon &disabled)
{
    m_normal = normal;
    m_down = down;
    m_disabled = disabled;
    update();
}

const QIcon &PictureButton::currentPicture() const
{
    if (!isEnabled() && !m_disabled.isNull())
        return m_disabled;
    if (isDown() && !m_down.isNull())
        return m_down;
    return m_normal;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_face);
    const bool pressed = isDown();
    const int shift = pressed ? 1 : 0;

    const QIcon &picture = currentPicture();
    if (!picture.isNull()) {
        const QRect target((width() - PictureSize) / 2 + shift, PictureTop + shift, PictureSize, PictureSize);
        picture.paint(&painter, target);
    }

    const QRect textArea(4 + shift, PictureTop + PictureSize + shift, width() - 8, height() - PictureTop - PictureSize - 4);
    constexpr int flags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic;
    painter.setFont(font());
    if (isEnabled()) {
        painter.setPen(Qt::black);
        painter.drawText(textArea, flags, text());
    } else {
        painter.setPen(Qt::white);
        painter.drawText(textArea.translated(1, 1), flags, text());
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawText(textArea, flags, text());
    }

    paintButtonEdge(painter, rect(), pressed);
    if (hasFocus()) {
        QPen dotted(Qt::black, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace vortana
