#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace vortana::test {

// What may lie under a record file's name instead of a plain file.
enum class Entry { Symlink, Fifo, Directory, Unreadable };

inline QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

inline bool writeBytes(const QString &path, const QByteArray &bytes, qint64 size = -1)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()
        && (size < 0 || file.resize(size));
}

// What lies under the name, without ever opening a FIFO: "file:<bytes>",
// "link", "fifo", "directory" or "missing".
inline QByteArray entryState(const QString &path)
{
    struct stat entry {};
    if (::lstat(nativeName(path).constData(), &entry) != 0)
        return "missing";
    if (S_ISLNK(entry.st_mode))
        return "link";
    if (S_ISFIFO(entry.st_mode))
        return "fifo";
    if (S_ISDIR(entry.st_mode))
        return "directory";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "unreadable";
    return "file:" + file.readAll();
}

// Puts the entry under the name, in place of whatever was there.
inline bool plant(Entry kind, const QString &path, const QString &linkTarget)
{
    const QByteArray native = nativeName(path);
    ::unlink(native.constData());
    switch (kind) {
    case Entry::Symlink: return ::symlink(nativeName(linkTarget).constData(), native.constData()) == 0;
    case Entry::Fifo: return ::mkfifo(native.constData(), 0644) == 0;
    case Entry::Directory: return ::mkdir(native.constData(), 0755) == 0;
    case Entry::Unreadable: return writeBytes(path, "7\r\n") && ::chmod(native.constData(), 0) == 0;
    }
    return false;
}

} // namespace vortana::test
