#include "quiz/controls/Art.h"

#include "quiz/controls/SvgIconEngine.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>

namespace vortana::art {

QString dataDirectory()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vortana");
}

QIcon icon(const QString &name)
{
    return QIcon(new SvgIconEngine(dataDirectory() + QStringLiteral("/icons/") + name + QStringLiteral(".svg")));
}

QCursor pointer(const QString &name, int size, QPoint hotSpot)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap = icon(name).pixmap(QSize(size, size), ratio);
    if (pixmap.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

} // namespace vortana::art
