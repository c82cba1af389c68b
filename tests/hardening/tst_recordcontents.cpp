#include "GameFixture.h"
#include "LeavingTexts.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"

#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

constexpr qint64 OneGiB = qint64(1) << 30;
constexpr qsizetype ReadCap = 64 * 1024;

} // namespace

// Whatever a record file holds, start-up shows it (its first 64 KiB) and
// leaving reads the record from its leading number.
class TestRecordContents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startAndLeave_data();
    void startAndLeave();
};

void TestRecordContents::startAndLeave_data()
{
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<qint64>("scoreSize"); // when the file is larger than its bytes
    QTest::addColumn<qint64>("nameSize");
    QTest::addColumn<QString>("lblpunti");
    QTest::addColumn<QString>("lblnome");
    QTest::addColumn<int>("played"); // the score of the game that leaves
    QTest::addColumn<bool>("stored");

    const auto row = [](const char *tag, const QByteArray &score, const QString &shown, int played, bool stored) {
        QTest::newRow(tag) << score << QByteArray("Anna\r\n") << qint64(-1) << qint64(-1) << shown << "Anna\r\n"
                           << played << stored;
    };
    row("empty", "", "", 1, true);
    row("-5: even 0 beats it", "-5", "-5", 0, true);
    row("1e3 is 1000", "1e3", "1e3", 1000, false);
    row("1e3, beaten", "1e3", "1e3", 1001, true);
    row("leading number of \" 12abc\"", " 12abc", " 12abc", 13, true);
    row("CR alone", "12\r", "12\r", 12, false);
    row("no line break", "12", "12", 13, true);
    row("not UTF-8", "\xff" "12\r\n", "ÿ12\r\n", 1, true);
    row("NUL first", QByteArray("\0" "12", 3), QChar::Null + QStringLiteral("12"), 1, true);
    row("byte-order mark", "\xEF\xBB\xBF" "12\r\n", "12\r\n", 12, false);
    row("exponent with leading zeros", "1e00000003", "1e00000003", 1000, false);
    row("beyond any number", "1e400", "1e400", 1, true);
    QTest::newRow("score file of 1 GiB") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << OneGiB << qint64(-1)
                                         << QStringLiteral("12\r\n") + QString(ReadCap - 4, QChar::Null)
                                         << "Anna\r\n" << 13 << true;

    const auto name = [](const char *tag, const QByteArray &bytes, qint64 size, const QString &shown) {
        QTest::newRow(tag) << QByteArray("5\r\n") << bytes << qint64(-1) << size << "5\r\n" << shown << 6 << true;
    };
    name("name: empty", "", -1, "");
    name("name: not UTF-8", "\x93Zo\xeb\x94 \x80\r\n", -1, "“Zoë” €\r\n");
    name("name: CR alone", "Anna\rMaria", -1, "Anna\rMaria");
    name("name: no line break", "Anna", -1, "Anna");
    name("name: two lines", "Anna\r\nMaria\r\n", -1, "Anna\r\nMaria\r\n");
    name("name: -5", "-5", -1, "-5");
    name("name: 1e3", "1e3", -1, "1e3");
    name("name: \" 12abc\"", " 12abc", -1, " 12abc");
    name("name: 1 GiB", QByteArray(ReadCap, 'x'), OneGiB, QString(ReadCap, u'x'));
    // No UTF-8 character starts with FF: the file is Windows-1252 even where the cut falls.
    name("name: FF where 64 KiB end", QByteArray(ReadCap - 1, 'x') + "\xff" "y", -1,
         QString(ReadCap - 1, u'x') + u'ÿ');
}

void TestRecordContents::startAndLeave()
{
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, name);
    QFETCH(qint64, scoreSize);
    QFETCH(qint64, nameSize);
    QFETCH(QString, lblpunti);
    QFETCH(QString, lblnome);
    QFETCH(int, played);
    QFETCH(bool, stored);

    GameFixture game;
    QVERIFY(QDir().mkpath(game.recordDir()));
    QVERIFY(writeBytes(game.scorePath(), score, scoreSize));
    QVERIFY(writeBytes(game.namePath(), name, nameSize));
    game.start();
    QCOMPARE(game.c().lblpunti->caption(), lblpunti);
    QCOMPARE(game.c().lblnome->caption(), lblnome);

    game.c().lblScore->setCaption(QString::number(played));
    game.run([&game] { game.quiz().cmdExit1_Click(); });
    QCOMPARE(game.endedWith, std::optional<int>(0));
    QCOMPARE(game.boxes.shown, stored ? QStringList({Goodbye, Confirmed}) : QStringList({Goodbye}));
    if (stored) {
        QCOMPARE(entryState(game.scorePath()), "file:" + QByteArray::number(played) + "\r\n");
        QCOMPARE(entryState(game.namePath()), QByteArray("file:Mario\r\n"));
    } else {
        QCOMPARE(entryState(game.scorePath()), "file:" + score);
    }
}

QTEST_MAIN(TestRecordContents)
#include "tst_recordcontents.moc"
