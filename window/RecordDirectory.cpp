#include "window/RecordDirectory.h"

#include <QtGlobal>

namespace vortana {

QString recordDirectory()
{
    const QString chosen = qEnvironmentVariable("VORTANA_RECORD_DIR");
    return chosen.isEmpty() ? QStringLiteral(VORTANA_RECORD_DIR_DEFAULT) : chosen;
}

} // namespace vortana
