#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <initializer_list>
#include <utility>

namespace vortana {

// Replaces the file's whole content: the bytes go to a new file beside it,
// which is synced and renamed over the old one, so that a crash leaves the old
// content or the new one. On failure the new file is removed.
void replaceFile(const QString &path, QByteArrayView bytes);

// Replaces several files, each path with its bytes, as one step: every new file
// is written and made durable before the first rename, with the syncs run
// side by side so that the disk's cache is flushed about once for all. A crash
// leaves each file whole, old or new; a failure before the renames leaves them
// all old, one during them leaves the files before it new. After the renames
// each directory is flushed once: when it returns, the new files last.
void replaceFiles(std::initializer_list<std::pair<QString, QByteArray>> files);

} // namespace vortana
