#pragma once

#include "runtime/RuntimeError.h"

#include <QString>

#include <sys/types.h>

namespace vortana {

enum class RecordAction {
    CreateDirectory,
    Open,
    Read,
    Write,
    Lock,
};

// A failed operation on a record path, in Italian: what was attempted, the
// path, and the system's reason for errorNumber.
RuntimeError recordError(RecordAction action, const QString &path, int errorNumber);
RuntimeError recordError(RecordAction action, const QString &path, ErrorCode code, const QString &reason);

// A failed open(): when the name holds something other than a regular file
// (a link, a FIFO, a directory), the error says so instead of the bare errno.
RuntimeError recordOpenError(RecordAction action, const QString &path, int errorNumber);

// Another game holds the record directory's lock for longer than a store waits.
RuntimeError recordBusyError(const QString &directory);

// Why an entry of this kind is refused, e.g. "è una FIFO".
QString entryKind(mode_t mode);

} // namespace vortana
