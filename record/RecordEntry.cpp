#include "record/RecordEntry.h"

#include "record/RecordPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vortana {

namespace {

// Another game may remove and make the file between the two opens.
constexpr int OpenAttempts = 4;

} // namespace

void requireRegularFile(const FileDescriptor &fd, RecordAction action, const QString &path)
{
    struct stat entry {};
    if (::fstat(fd.get(), &entry) != 0)
        throw recordError(action, path, errno);
    if (!S_ISREG(entry.st_mode))
        throw recordError(action, path, ErrorCode::PathFileAccess, entryKind(entry.st_mode));
}

void shareWithDirectory(const FileDescriptor &fd, const QByteArray &made, const QString &directory, mode_t mode,
                        RecordAction action, const QString &path)
{
    struct stat folder {};
    struct stat file {};
    int error = 0;
    if (::stat(nativePath(directory).constData(), &folder) != 0 || ::fstat(fd.get(), &file) != 0)
        error = errno;
    // EPERM: a writer outside the directory's group can write there only when
    // the directory is its own or open to all; the file then stays in its group.
    else if (file.st_gid != folder.st_gid && ::fchown(fd.get(), uid_t(-1), folder.st_gid) != 0 && errno != EPERM)
        error = errno;
    else if (::fchmod(fd.get(), mode) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(made.constData());
        throw recordError(action, path, error);
    }
}

FileDescriptor openOrCreate(const QString &path, bool create, mode_t mode, RecordAction action)
{
    const QByteArray native = nativePath(path);
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        if (create) {
            FileDescriptor made(::open(native.constData(), O_RDONLY | O_CREAT | O_EXCL | SafeOpenFlags, mode));
            if (made.isOpen()) {
                shareWithDirectory(made, native, parentDirectory(path), mode, action, path);
                return made;
            }
            if (errno != EEXIST)
                throw recordOpenError(action, path, errno);
        }
        FileDescriptor existing(::open(native.constData(), O_RDONLY | SafeOpenFlags));
        if (existing.isOpen()) {
            requireRegularFile(existing, action, path);
            return existing;
        }
        if (errno != ENOENT || !create)
            throw recordOpenError(action, path, errno);
    }
    throw recordOpenError(action, path, ENOENT);
}

} // namespace vortana
