#pragma once

#include <QLineEdit>

namespace vortana {

// A one-line text box with the sunken edge of the old platform. Every key that
// types a character (Backspace, Enter and Esc included) is announced with its
// character code before the box takes it.
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void characterKey(char16_t code);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vortana
