#include "record/RecordStore.h"

#include "record/FileDescriptor.h"
#include "record/RecordEntry.h"
#include "record/RecordError.h"
#include "record/RecordPath.h"
#include "record/RecordText.h"
#include "record/ReplaceFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vortana {

namespace {

constexpr qsizetype ReadCap = 64 * 1024;

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
    nativePath(path); // a NUL is refused before anything is made
    prepareDirectory(parentDirectory(path));
    FileDescriptor fd = openOrCreate(path, true, RecordFileMode, RecordAction::Open);
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

RecordPair RecordStore::readPair(const QString &scorePath, const QString &namePath) const
{
    const PairLock lock(*this, StartUpLockWait);
    return {Leggifiletxt(scorePath), Leggifiletxt(namePath)};
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
