#pragma once

#include "GameFixture.h"
#include "RecordFiles.h"

#include <QTest>

namespace vortana::test {

// Nothing may block on a FIFO: a hang ends the test run instead of stalling it.
constexpr unsigned HangLimitSeconds = 20;

inline QString fileOf(GameFixture &game, const QString &file)
{
    return game.recordDir() + u'/' + file;
}

// As the program writes it: the directory ends in '/', and '/' and the name follow.
inline QString shownPath(GameFixture &game, const QString &file)
{
    return game.recordDir() + QStringLiteral("//") + file;
}

// A standing record, and a file outside the record directory that a planted
// link points to and that must never change.
inline void prepareRecord(GameFixture &game, const QTemporaryDir &outside)
{
    QVERIFY(QDir().mkpath(game.recordDir()));
    QVERIFY(writeBytes(game.scorePath(), "12\r\n"));
    QVERIFY(writeBytes(game.namePath(), "Anna\r\n"));
    QVERIFY(writeBytes(outside.filePath(QStringLiteral("segreto")), "segreto\r\n"));
}

} // namespace vortana::test
