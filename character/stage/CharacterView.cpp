#include "character/stage/CharacterView.h"

#include <QPainter>

namespace vortana {

CharacterView::CharacterView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void CharacterView::setFrame(const QImage &picture)
{
    m_picture = &picture;
    ++m_framesShown;
    update();
}

void CharacterView::paintEvent(QPaintEvent *)
{
    if (m_picture)
        QPainter(this).drawImage(0, 0, *m_picture);
}

} // namespace vortana
