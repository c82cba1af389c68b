#include "record/RecordError.h"

#include "record/RecordPath.h"

#include <cerrno>
#include <sys/stat.h>

namespace vortana {

namespace {

QString actionText(RecordAction action)
{
    switch (action) {
    case RecordAction::CreateDirectory: return QStringLiteral("Impossibile creare la cartella «%1»: %2");
    case RecordAction::Open: return QStringLiteral("Impossibile aprire «%1»: %2");
    case RecordAction::Read: return QStringLiteral("Impossibile leggere «%1»: %2");
    case RecordAction::Write: return QStringLiteral("Impossibile scrivere «%1»: %2");
    case RecordAction::Lock: return QStringLiteral("Impossibile bloccare «%1»: %2");
    }
    return QStringLiteral("«%1»: %2");
}

ErrorCode codeFor(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT: return ErrorCode::FileNotFound;
    case EACCES:
    case EPERM:
    case EROFS: return ErrorCode::PermissionDenied;
    case EIO:
    case ENOSPC:
    case EDQUOT: return ErrorCode::DeviceIO;
    default: return ErrorCode::PathFileAccess;
    }
}

} // namespace

RuntimeError recordError(RecordAction action, const QString &path, ErrorCode code, const QString &reason)
{
    return RuntimeError(code, actionText(action).arg(path, reason));
}

RuntimeError recordError(RecordAction action, const QString &path, int errorNumber)
{
    return recordError(action, path, codeFor(errorNumber), qt_error_string(errorNumber));
}

RuntimeError recordOpenError(RecordAction action, const QString &path, int errorNumber)
{
    struct stat entry {};
    if (errorNumber != ENOENT && ::lstat(nativePath(path).constData(), &entry) == 0
        && !S_ISREG(entry.st_mode))
        return recordError(action, path, ErrorCode::PathFileAccess, entryKind(entry.st_mode));
    return recordError(action, path, errorNumber);
}

RuntimeError recordBusyError(const QString &directory)
{
    return RuntimeError(ErrorCode::FileAlreadyOpen,
                        QStringLiteral("Il record è bloccato da un'altra partita (cartella «%1»): "
                                       "il tuo record non è stato registrato")
                            .arg(directory));
}

QString entryKind(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("è un collegamento simbolico, non un file");
    if (S_ISDIR(mode))
        return QStringLiteral("è una cartella, non un file");
    if (S_ISFIFO(mode))
        return QStringLiteral("è una FIFO, non un file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("è un dispositivo, non un file");
    if (S_ISSOCK(mode))
        return QStringLiteral("è un socket, non un file");
    return QStringLiteral("non è un file normale");
}

} // namespace vortana
