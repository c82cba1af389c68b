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

namespace {

// stat, not lstat: an administrator may well point the directory elsewhere.
int makeDirectory(const QByteArray &native, mode_t mode)
{
    struct stat entry {};
    if (::stat(native.constData(), &entry) == 0)
        return S_ISDIR(entry.st_mode) ? 0 : ENOTDIR;
    if (::mkdir(native.constData(), mode) == 0)
        return 0;
    const int error = errno;
    if (error == EEXIST)
        return ::stat(native.constData(), &entry) == 0 && S_ISDIR(entry.st_mode) ? 0 : ENOTDIR;
    return error;
}

// Makes the folders above first when they are missing too, as on a machine
// without /var/games; each failure names the folder that could not be made.
void makeTree(const QString &directory, mode_t mode)
{
    const QByteArray native = nativePath(directory);
    int error = makeDirectory(native, mode);
    const QString parent = parentDirectory(directory);
    if (error == ENOENT && parent != directory) {
        makeTree(parent, AncestorDirectoryMode);
        error = makeDirectory(native, mode);
    }
    if (error != 0)
        throw recordError(RecordAction::CreateDirectory, directory, error);
}

} // namespace

void ensureDirectory(const QString &directory)
{
    makeTree(directory, RecordDirectoryMode);
}

void requireDirectory(const QString &directory)
{
    struct stat entry {};
    if (::stat(nativePath(directory).constData(), &entry) != 0) {
        const int error = errno;
        if (error == ENOENT)
            throw RuntimeError(ErrorCode::PathNotFound,
                               QStringLiteral("La cartella dei record «%1» non c'è: la crea l'installazione del gioco")
                                   .arg(directory));
        throw recordError(RecordAction::Open, directory, error);
    }
    if (!S_ISDIR(entry.st_mode))
        throw recordError(RecordAction::Open, directory, ErrorCode::PathFileAccess, entryKind(entry.st_mode));
}

} // namespace vortana
