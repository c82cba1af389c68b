#pragma once

#include "record/RecordStore.h"

#include <QStringList>

#include <initializer_list>

namespace vortana {

// The record store of an installed game, whose record directory only the
// record helper may write and lock: reading a file is the plain store's;
// creating the files, reading the pair under the lock and replacing it run
// the helper. A helper that cannot be started, fails
// or hangs becomes a RuntimeError naming the failure.
class HelperRecordStore : public RecordStore
{
public:
    // directory must be the one the helper was built for.
    HelperRecordStore(QString directory, QString helperProgram);

    void appendAndClose(const QString &path) const override;
    RecordPair readPair(const QString &scorePath, const QString &namePath) const override;
    void replacePair(const QString &scorePath, const QString &scoreLine, const QString &namePath,
                     const QString &nameLine) const override;

private:
    void requireRecordFile(const QString &path, std::initializer_list<const char *> fileNames) const;
    // The helper's answer on standard output.
    QByteArray run(const QStringList &arguments) const;

    QString m_helper;
};

} // namespace vortana
