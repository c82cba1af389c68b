#pragma once

#include <QByteArrayView>
#include <QString>

namespace vortana {

// Replaces the file's whole content: the bytes go to a new file beside it,
// which is synced and renamed over the old one, so that a crash leaves the old
// content or the new one. On failure the new file is removed.
void replaceFile(const QString &path, QByteArrayView bytes);

} // namespace vortana
