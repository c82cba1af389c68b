#pragma once

#include "record/FileDescriptor.h"
#include "record/RecordError.h"

#include <QString>

#include <sys/types.h>

namespace vortana {

// Refuses anything but a regular file behind an open descriptor.
void requireRegularFile(const FileDescriptor &fd, RecordAction action, const QString &path);

// Gives a file just made in the record directory, at `made`, that directory's
// group and the mode asked for, whatever the writer's umask and primary group,
// so that root's game, a member of the group and the helper all leave files
// that every player's game can use. On failure the file is removed: none is
// left that some players could not use.
void shareWithDirectory(const FileDescriptor &fd, const QByteArray &made, const QString &directory, mode_t mode,
                        RecordAction action, const QString &path);

// Opens an existing regular file for reading only, or creates it (when create
// says so) with shareWithDirectory. An existing file is never opened for
// writing, so one that the player may not write still serves.
FileDescriptor openOrCreate(const QString &path, bool create, mode_t mode, RecordAction action);

} // namespace vortana
