#include "record/ReplaceFile.h"

#include "record/FileDescriptor.h"
#include "record/RecordError.h"
#include "record/RecordPath.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vortana {

namespace {

constexpr int TemporaryNameAttempts = 16;

FileDescriptor createTemporary(const QString &path, const QString &directory, QString &temporaryPath)
{
    const QString stem = directory + QStringLiteral("/.") + path.mid(path.lastIndexOf(u'/') + 1) + u'.';
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        temporaryPath = stem + QString::number(QRandomGenerator::system()->generate64(), 16);
        const QByteArray native = nativePath(temporaryPath);
        FileDescriptor fd(::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | SafeOpenFlags, RecordFileMode));
        if (fd.isOpen())
            return fd;
        if (errno != EEXIST)
            throw recordError(RecordAction::Write, path, errno);
    }
    throw recordError(RecordAction::Write, path, EEXIST);
}

// Fills the new file, makes it durable and moves it over the target; 0 or errno.
int commit(FileDescriptor &fd, QByteArrayView bytes, const QByteArray &from, const QByteArray &to)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd.get(), bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return errno;
        done += std::max<qsizetype>(written, 0);
    }
    if (::fsync(fd.get()) != 0 || fd.close() != 0 || ::rename(from.constData(), to.constData()) != 0)
        return errno;
    return 0;
}

void syncDirectory(const QString &directory, const QString &path)
{
    const FileDescriptor fd(::open(nativePath(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // EINVAL: a file system that has nothing to sync for a directory.
    if (!fd.isOpen() || (::fsync(fd.get()) != 0 && errno != EINVAL))
        throw recordError(RecordAction::Write, path, errno);
}

} // namespace

void replaceFile(const QString &path, QByteArrayView bytes)
{
    const QByteArray target = nativePath(path);
    const QString directory = parentDirectory(path);
    ensureDirectory(directory);
    // rename() replaces a planted link or FIFO by the new file, never following
    // it; only a directory under the name cannot be replaced.
    struct stat entry {};
    if (::lstat(target.constData(), &entry) == 0 && S_ISDIR(entry.st_mode))
        throw recordError(RecordAction::Write, path, ErrorCode::PathFileAccess, entryKind(entry.st_mode));

    QString temporaryPath;
    FileDescriptor fd = createTemporary(path, directory, temporaryPath);
    const QByteArray temporary = nativePath(temporaryPath);
    if (const int error = commit(fd, bytes, temporary, target)) {
        ::unlink(temporary.constData());
        throw recordError(RecordAction::Write, path, error);
    }
    syncDirectory(directory, path);
}

} // namespace vortana
