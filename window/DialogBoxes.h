#pragma once

#include "quiz/Boxes.h"

class QWidget;

namespace vortana {

// The real modal boxes: the input box and the message box.
class DialogBoxes final : public Boxes
{
public:
    static constexpr int MaxNameLength = 250;

    explicit DialogBoxes(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    QString InputBox(const QString &prompt) override;
    void MsgBox(const QString &text) override;

private:
    QWidget *m_parent;
};

} // namespace vortana
