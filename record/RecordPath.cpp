#include "record/RecordPath.h"

#include "record/RecordError.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace vortana {

QByteArray nativePath(const QString &path)
{
    if (path.contains(QChar::Null))
        throw RuntimeError(ErrorCode::InvalidCall,
                           QStringLiteral("Percorso non valido: contiene un carattere nullo"));
    return QFile::encodeName(path);
}

QString parentDirectory(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    QString directory = path.left(slash);
    while (directory.endsWith(u'/'))
        directory.chop(1);
    return directory.isEmpty() ? QStringLiteral("/") : directory;
}

void ensureDirectory(const QString &directory)
{
    const QByteArray native = nativePath(directory);
    struct stat entry {};
    // stat, not lstat: an administrator may well point the directory elsewhere.
    if (::stat(native.constData(), &entry) == 0 && S_ISDIR(entry.st_mode))
        return;
    if (::mkdir(native.constData(), RecordDirectoryMode) == 0)
        return;
    const int error = errno;
    if (error == EEXIST) {
        if (::stat(native.constData(), &entry) == 0 && S_ISDIR(entry.st_mode))
            return;
        throw recordError(RecordAction::CreateDirectory, directory, ENOTDIR);
    }
    throw recordError(RecordAction::CreateDirectory, directory, error);
}

} // namespace vortana
