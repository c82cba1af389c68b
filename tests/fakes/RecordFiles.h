#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace vortana::test {

// The boxes a game shows when it ends, word for word.
inline const QString Goodbye = QStringLiteral("Ciao. Ti aspetto per la prossima sfida ");
inline const QString Confirmed = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");

// Nothing may block on a FIFO: a hang ends the test run instead of stalling it.
constexpr unsigned HangLimitSeconds = 20;

inline bool writeBytes(const QString &path, const QByteArray &bytes, qint64 size = -1)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && (size < 0 || file.resize(size));
}

inline mode_t modeOf(const QString &path)
{
    struct stat entry {};
    return ::stat(QFile::encodeName(path).constData(), &entry) == 0 ? entry.st_mode & 07777 : 0;
}

// A file's bytes, or what lies under the name instead, found without ever
// opening a FIFO.
inline QByteArray entryState(const QString &path)
{
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return "<missing>";
    if (S_ISLNK(entry.st_mode))
        return "<link>";
    if (S_ISFIFO(entry.st_mode))
        return "<fifo>";
    if (S_ISDIR(entry.st_mode))
        return "<directory>";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// What may lie under a record file's name instead of a plain file.
enum class Entry { Symlink, Fifo, Directory, Unreadable };

inline bool plant(Entry kind, const QString &path, const QString &linkTarget)
{
    const QByteArray native = QFile::encodeName(path);
    ::unlink(native.constData());
    switch (kind) {
    case Entry::Symlink: return ::symlink(QFile::encodeName(linkTarget).constData(), native.constData()) == 0;
    case Entry::Fifo: return ::mkfifo(native.constData(), 0644) == 0;
    case Entry::Directory: return ::mkdir(native.constData(), 0755) == 0;
    case Entry::Unreadable: return writeBytes(path, "7\r\n") && ::chmod(native.constData(), 0) == 0;
    }
    return false;
}

} // namespace vortana::test
