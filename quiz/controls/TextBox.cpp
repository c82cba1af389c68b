#include "quiz/controls/TextBox.h"

#include "quiz/controls/Bevel.h"

#include <QKeyEvent>
#include <QPainter>

namespace vortana {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(2, 0, 2, 0);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (!typed.isEmpty())
        Q_EMIT characterKey(typed.front().unicode());
    QLineEdit::keyPressEvent(event);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    paintSunkenEdge(painter, rect());
}

} // namespace vortana
