#include "record/RecordStore.h"

#include "record/FileDescriptor.h"
#include "record/RecordError.h"
#include "record/RecordPath.h"
#include "record/RecordText.h"
#include "record/ReplaceFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vortana {

namespace {

constexpr qsizetype ReadCap = 64 * 1024;

void requireRegularFile(const FileDescriptor &fd, RecordAction action, const QString &path)
{
    struct stat entry {};
    if (::fstat(fd.get(), &entry) != 0)
        throw recordError(action, path, errno);
    if (!S_ISREG(entry.st_mode))
        throw recordError(action, path, ErrorCode::PathFileAccess, entryKind(entry.st_mode));
}

} // namespace

RecordStore::RecordStore(QString directory, MissingDirectory missing)
    : m_directory(std::move(directory)), m_missing(missing)
{
    while (m_directory.size() > 1 && m_directory.endsWith(u'/'))
        m_directory.chop(1);
    if (m_directory.isEmpty())
        throw RuntimeError(ErrorCode::InvalidCall, QStringLiteral("Nessuna cartella per i record"));
}

QString RecordStore::GetSystemDir() const
{
    return m_directory == u"/" ? m_directory : m_directory + u'/';
}

int RecordStore::FreeFile() const
{
    return 1;
}

void RecordStore::prepareDirectory(const QString &directory) const
{
    if (m_missing == MissingDirectory::Create)
        ensureDirectory(directory);
    else
        requireDirectory(directory);
}

void RecordStore::appendAndClose(const QString &path) const
{
    const QByteArray native = nativePath(path);
    prepareDirectory(parentDirectory(path));
    FileDescriptor fd(::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | SafeOpenFlags, RecordFileMode));
    if (!fd.isOpen())
        throw recordOpenError(RecordAction::Open, path, errno);
    requireRegularFile(fd, RecordAction::Open, path);
    if (fd.close() != 0)
        throw recordError(RecordAction::Open, path, errno);
}

QString RecordStore::Leggifiletxt(const QString &nomefile) const
{
    const QByteArray native = nativePath(nomefile);
    const FileDescriptor fd(::open(native.constData(), O_RDONLY | SafeOpenFlags));
    if (!fd.isOpen())
        throw recordOpenError(RecordAction::Read, nomefile, errno);
    requireRegularFile(fd, RecordAction::Read, nomefile);

    // One byte past the cap tells a file cut short from one of exactly 64 KiB.
    QByteArray bytes(ReadCap + 1, Qt::Uninitialized);
    qsizetype used = 0;
    while (used < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + used, static_cast<size_t>(bytes.size() - used));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            throw recordError(RecordAction::Read, nomefile, errno);
        used += std::max<qsizetype>(got, 0);
    }
    bytes.truncate(std::min(used, ReadCap));
    return decodeRecordText(bytes, used > ReadCap);
}

void RecordStore::writeLine(const QString &path, const QString &line) const
{
    replaceFile(path, line.toUtf8() + "\r\n");
}

void RecordStore::replacePair(const QString &scorePath, const QString &scoreLine, const QString &namePath,
                              const QString &nameLine) const
{
    const PairLock lock(*this, StoreLockWait);
    if (!lock.held())
        throw recordBusyError(m_directory);
    replaceFiles({{scorePath, storedLine(scoreLine).toUtf8() + "\r\n"}, {namePath, storedLine(nameLine).toUtf8() + "\r\n"}});
}

} // namespace vortana
