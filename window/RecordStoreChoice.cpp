#include "window/RecordStoreChoice.h"

#include "record/HelperRecordStore.h"
#include "record/RecordStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vortana {

std::unique_ptr<RecordStore> chooseRecordStore(const QString &directory, const QString &builtInDirectory,
                                               const QString &helper)
{
    // The helper writes only the directory it was built with; a missing
    // directory counts as not writable: the installer makes it, and the helper
    // says so when it is not there.
    const bool builtIn = QDir::cleanPath(directory) == QDir::cleanPath(builtInDirectory);
    const bool writable = ::access(QFile::encodeName(directory).constData(), W_OK | X_OK) == 0;
    const QFileInfo program(helper);
    if (builtIn && !writable && program.isFile() && program.isExecutable())
        return std::make_unique<HelperRecordStore>(directory, helper);
    return std::make_unique<RecordStore>(directory);
}

} // namespace vortana
