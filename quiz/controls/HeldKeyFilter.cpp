#include "quiz/controls/HeldKeyFilter.h"

#include <QKeyEvent>

namespace vortana {

bool HeldKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        // Ctrl+M types a carriage return too, and judges like Enter.
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.text() == QLatin1String("\r")) {
            if (event->type() == QEvent::KeyRelease)
                m_releaseTime = key.timestamp();
            else if (key.isAutoRepeat() || (key.timestamp() != 0 && key.timestamp() == m_releaseTime))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vortana
