#pragma once

#include <QPointer>
#include <QWidget>

namespace vortana {

// The widget the characters stand in, and where its top-left corner lay on
// the screen of the old platform, whose points the game still gives to
// MoveTo: one fixed offset turns such a point into a point of the widget.
class StageHost
{
public:
    void set(QWidget *widget, QPoint cornerOnScreen)
    {
        m_widget = widget;
        m_corner = cornerOnScreen;
    }
    QWidget *widget() const { return m_widget; }
    QPoint place(QPoint screenPoint) const { return screenPoint - m_corner; }

private:
    QPointer<QWidget> m_widget;
    QPoint m_corner;
};

} // namespace vortana
