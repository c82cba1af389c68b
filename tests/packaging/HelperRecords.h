#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTest>

#include <sys/stat.h>

namespace vortana::test {

// The helper built for the tests, the directory it writes, and a standing
// record that every case starts from.
inline const QByteArray Helper = VORTANA_TEST_HELPER;
inline const QString Records = QStringLiteral(VORTANA_TEST_HELPER_RECORDS);
inline const QString ScoreFile = Records + QStringLiteral("/aquizrec6.txt");
inline const QString NameFile = Records + QStringLiteral("/nquizrec6.txt");
inline const QByteArray OldScore("7\r\n");
inline const QByteArray OldName("Anna\r\n");

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline void standingRecord()
{
    QVERIFY(QDir(Records).removeRecursively());
    QVERIFY(QDir().mkpath(Records));
    writeAll(ScoreFile, OldScore);
    writeAll(NameFile, OldName);
}

inline mode_t permissions(const QString &path)
{
    struct stat entry {};
    return ::stat(QFile::encodeName(path).constData(), &entry) == 0 ? entry.st_mode & 07777 : 0;
}

} // namespace vortana::test
