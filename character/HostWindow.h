#pragma once

#include <QPointer>
#include <QWidget>

namespace vortana {

// The game's window, which hosts the character. The character's places are
// read from its outer top-left corner, so that he keeps his place above the
// answer box wherever the window stands; with no window, from the screen's.
class HostWindow
{
public:
    void set(QWidget *window) { m_window = window; }
    QPoint origin() const { return m_window ? m_window->frameGeometry().topLeft() : QPoint(); }

private:
    QPointer<QWidget> m_window;
};

} // namespace vortana
