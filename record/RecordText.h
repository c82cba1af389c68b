#pragma once

#include <QByteArrayView>
#include <QString>

namespace vortana {

// The bytes of a record file as text: UTF-8, or Windows-1252 when they are not
// valid UTF-8, so that a file copied from the old platform still shows. `cut`
// says they are the head of a longer file, whose last character may be split.
QString decodeRecordText(QByteArrayView bytes, bool cut);

} // namespace vortana
