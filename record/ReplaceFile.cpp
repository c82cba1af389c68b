#include "record/ReplaceFile.h"

#include "record/FileDescriptor.h"
#include "record/RecordEntry.h"
#include "record/RecordError.h"
#include "record/RecordPath.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <vector>
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
        if (fd.isOpen()) {
            shareWithDirectory(fd, native, directory, RecordFileMode, RecordAction::Write, path);
            return fd;
        }
        if (errno != EEXIST)
            throw recordError(RecordAction::Write, path, errno);
    }
    throw recordError(RecordAction::Write, path, EEXIST);
}

int writeAll(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return errno;
        done += std::max<qsizetype>(written, 0);
    }
    return 0;
}

// Fills the new file, makes it durable and moves it over the target; 0 or errno.
int commit(FileDescriptor &fd, QByteArrayView bytes, const QByteArray &from, const QByteArray &to)
{
    if (const int error = writeAll(fd.get(), bytes))
        return error;
    if (::fsync(fd.get()) != 0 || fd.close() != 0 || ::rename(from.constData(), to.constData()) != 0)
        return errno;
    return 0;
}

// rename() replaces a planted link or FIFO by the new file, never following
// it; only a directory under the name cannot be replaced.
void refuseDirectory(const QString &path, const QByteArray &target)
{
    struct stat entry {};
    if (::lstat(target.constData(), &entry) == 0 && S_ISDIR(entry.st_mode))
        throw recordError(RecordAction::Write, path, ErrorCode::PathFileAccess, entryKind(entry.st_mode));
}

void syncDirectory(const QString &directory, const QString &path)
{
    const FileDescriptor fd(::open(nativePath(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // EINVAL: a file system that has nothing to sync for a directory.
    if (!fd.isOpen() || (::fsync(fd.get()) != 0 && errno != EINVAL))
        throw recordError(RecordAction::Write, path, errno);
}

// A new file written beside its target, not yet renamed over it.
struct StagedFile
{
    QString path;
    QByteArray target;
    QByteArray temporary;
    FileDescriptor fd;
};

void stage(std::vector<StagedFile> &staged, const QString &path, QByteArrayView bytes)
{
    const QString directory = parentDirectory(path);
    ensureDirectory(directory);
    const QByteArray target = nativePath(path);
    refuseDirectory(path, target);
    QString temporaryPath;
    FileDescriptor fd = createTemporary(path, directory, temporaryPath);
    staged.push_back({path, target, nativePath(temporaryPath), std::move(fd)});
    if (const int error = writeAll(staged.back().fd.get(), bytes))
        throw recordError(RecordAction::Write, path, error);
    // The write-back starts now, so that the syncs find the data under way.
    ::sync_file_range(staged.back().fd.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

} // namespace

void replaceFiles(std::initializer_list<std::pair<QString, QByteArray>> files)
{
    std::vector<StagedFile> staged;
    std::size_t renamed = 0;
    try {
        for (const auto &[path, bytes] : files)
            stage(staged, path, bytes);
        // One after the other: the first flush commits what the file system
        // knows of both new files, so the second finds little left to do.
        for (StagedFile &file : staged) {
            if (::fdatasync(file.fd.get()) != 0 || file.fd.close() != 0)
                throw recordError(RecordAction::Write, file.path, errno);
        }
        for (; renamed < staged.size(); ++renamed) {
            const StagedFile &file = staged[renamed];
            if (::rename(file.temporary.constData(), file.target.constData()) != 0)
                throw recordError(RecordAction::Write, file.path, errno);
        }
        // The renames last only once their directory is flushed; until then a
        // power cut may bring the old files back, so success waits for this.
        std::vector<QString> directories;
        for (const StagedFile &file : staged) {
            const QString directory = parentDirectory(file.path);
            if (std::find(directories.begin(), directories.end(), directory) == directories.end()) {
                syncDirectory(directory, file.path);
                directories.push_back(directory);
            }
        }
    } catch (...) {
        for (std::size_t i = renamed; i < staged.size(); ++i)
            ::unlink(staged[i].temporary.constData());
        throw;
    }
}

void replaceFile(const QString &path, QByteArrayView bytes)
{
    const QByteArray target = nativePath(path);
    const QString directory = parentDirectory(path);
    ensureDirectory(directory);
    refuseDirectory(path, target);

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
