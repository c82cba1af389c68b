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
    // An Enter held a little too long on the button that asks the next
    // question would judge the new, empty answer: only a fresh press counts.
    const bool heldEnter = event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    if (heldEnter) {
        event->accept();
        return;
    }
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
