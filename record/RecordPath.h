#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <sys/types.h>

namespace vortana {

// Both less the umask. Group write lets the players of one machine share the
// record when the administrator gives the directory a common group; with the
// usual umask 022 they come out 0644 and 0755.
constexpr mode_t RecordFileMode = 0664;
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
