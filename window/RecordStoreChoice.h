#pragma once

#include <QString>

#include <memory>

namespace vortana {

class RecordStore;

// The store for this run. An installed game whose record directory the user
// cannot write goes through the record helper installed beside it; anything
// else (a run from the build tree, a directory of one's own, an administrator)
// writes directly.
//   directory: the record directory in use; builtInDirectory: the one the
//   program and its helper were built with; helper: where the helper would be.
std::unique_ptr<RecordStore> chooseRecordStore(const QString &directory, const QString &builtInDirectory,
                                               const QString &helper);

} // namespace vortana
