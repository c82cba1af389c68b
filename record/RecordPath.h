#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <sys/types.h>

namespace vortana {

// Record files get this mode and their directory's group whatever the umask,
// so the players of one machine share them: the group keeps write.
constexpr mode_t RecordFileMode = 0664;
// The lock that stores wait for: no account outside the group may open it,
// and so none may hold it.
constexpr mode_t LockFileMode = 0660;
inline constexpr char LockFileName[] = ".lock";
// Less the umask: the game makes its directory only outside an installation.
constexpr mode_t RecordDirectoryMode = 0775;
// The folders above it, as /var/games is on a Debian system.
constexpr mode_t AncestorDirectoryMode = 0755;

// Never follow a planted link, never wait on a FIFO or a device, never let a
// terminal become the controlling one.
constexpr int SafeOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

// The path as the system takes it. A NUL character would silently cut the path
// short there, so it raises "Invalid procedure call" instead.
QByteArray nativePath(const QString &path);

// The directory a path lies in, without a final '/' unless it is the root.
QString parentDirectory(const QString &path);

// Creates the directory when it is missing, and the folders above it too.
void ensureDirectory(const QString &directory);

// Refuses a directory that is missing (PathNotFound) or is not a directory.
void requireDirectory(const QString &directory);

} // namespace vortana
