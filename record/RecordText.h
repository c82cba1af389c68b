#pragma once

#include <QByteArrayView>
#include <QString>

namespace vortana {

// The bytes of a record file as text: UTF-8, or Windows-1252 when they are not
// valid UTF-8, so that a file copied from the old platform still shows. `cut`
// says they are the head of a longer file, whose last character may be split.
QString decodeRecordText(QByteArrayView bytes, bool cut);

// A line as it is stored: each control character (NUL, tab, CR, LF, escape...)
// and line or paragraph separator becomes a blank, so a pasted name stays one
// line of plain text in the file and the shared store takes it like any other.
QString storedLine(QString line);

} // namespace vortana
