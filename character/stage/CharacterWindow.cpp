#include "character/stage/CharacterWindow.h"

#include <QGuiApplication>
#include <QPainter>

namespace vortana {

CharacterWindow::CharacterWindow(QWidget *parent)
    : QWidget(parent, Flags),
      // Screens that are only memory have no desktop to show through.
      m_shapeable(QGuiApplication::platformName() != QLatin1String("offscreen")
                  && QGuiApplication::platformName() != QLatin1String("minimal"))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Vortana"));
}

void CharacterWindow::setFrame(const RenderedFrame &frame)
{
    m_picture = frame.picture;
    // Without a compositor the transparent parts would show black: the
    // shape cuts them away, with a compositor it costs nothing.
    if (m_shape != frame.shape) {
        m_shape = frame.shape;
        if (m_shapeable)
            setMask(m_shape);
    }
    ++m_framesShown;
    update();
}

void CharacterWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace vortana
