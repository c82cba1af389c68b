#pragma once

#include <QObject>

class QEvent;

namespace vortana {

// Lets through only a fresh press of Enter (either Enter, or Ctrl+M). A key
// held down repeats, and X sends each repeat as a release and a press at the
// very same time; the toolkit does not always mark them as repeats, so the
// time tells. Without this, an Enter held a little too long on the button that
// asks the next question judges the new, empty answer. Installed on the
// application, it sees the keys of every window.
class HeldKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // When an Enter was last released; 0 is no time (events made by a program).
    quint64 m_releaseTime = 0;
};

} // namespace vortana
