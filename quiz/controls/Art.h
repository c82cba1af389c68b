#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

namespace vortana::art {

// The program's data directory: share/vortana beside bin/, in the build tree
// as once installed.
QString dataDirectory();

// An icon drawn from assets/icons/<name>.svg, crisp at any pixel ratio.
QIcon icon(const QString &name);

// A mouse pointer drawn from an icon, with its hot spot in the icon's units.
QCursor pointer(const QString &name, int size, QPoint hotSpot);

} // namespace vortana::art
