#include "FileBytes.h"
#include "GameFixture.h"
#include "LeavingTexts.h"

#include "quiz/controls/Label.h"
#include "runtime/TickTimer.h"

#include <QFile>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

class TestEnding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leaving_data();
    void leaving();
    void clockRunsOutThroughTheSameExit();
    void timeUpWhileTheClockShowsSomethingElse();
};

void TestEnding::leaving_data()
{
    QTest::addColumn<QByteArray>("storedScore");
    QTest::addColumn<QByteArray>("storedName");
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<int>("score");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("nameAfter");
    QTest::addColumn<QStringList>("boxes");

    const QStringList bye{Goodbye};
    const QStringList stored{Goodbye, Confirmed};
    QTest::newRow("0 against an empty record") << QByteArray() << QByteArray() << "Mario" << 0 << QByteArray()
                                               << QByteArray() << bye;
    QTest::newRow("first record") << QByteArray() << QByteArray() << "Mario" << 3 << QByteArray("3\r\n")
                                  << QByteArray("Mario\r\n") << stored;
    QTest::newRow("equal is no record") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << "Mario" << 12
                                        << QByteArray("12\r\n") << QByteArray("Anna\r\n") << bye;
    QTest::newRow("one above") << QByteArray("12\r\n") << QByteArray("Anna\r\n") << "Mario" << 13
                               << QByteArray("13\r\n") << QByteArray("Mario\r\n") << stored;
    QTest::newRow("no name given") << QByteArray("2\r\n") << QByteArray("Anna\r\n") << "" << 5
                                   << QByteArray("5\r\n") << QByteArray("Amico\r\n") << stored;
    QTest::newRow("longer old content leaves nothing behind")
        << QByteArray("7\r\nold junk\r\n") << QByteArray("Bartolomeo Gianfranco\r\nmore\r\n") << "Eva" << 8
        << QByteArray("8\r\n") << QByteArray("Eva\r\n") << stored;
    QTest::newRow("record not a number counts 0") << QByteArray("tanti\r\n") << QByteArray("Anna\r\n") << "Eva" << 1
                                                  << QByteArray("1\r\n") << QByteArray("Eva\r\n") << stored;
    QTest::newRow("leading number of the record") << QByteArray(" 12abc") << QByteArray("Anna") << "Eva" << 12
                                                  << QByteArray(" 12abc") << QByteArray("Anna") << bye;
    QTest::newRow("name in another script") << QByteArray() << QByteArray() << QStringLiteral("Ζωή 🦉") << 1
                                            << QByteArray("1\r\n") << QStringLiteral("Ζωή 🦉\r\n").toUtf8() << stored;
}

void TestEnding::leaving()
{
    QFETCH(QByteArray, storedScore);
    QFETCH(QByteArray, storedName);
    QFETCH(QString, typedName);
    QFETCH(int, score);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, nameAfter);
    QFETCH(QStringList, boxes);

    GameFixture game(typedName);
    QVERIFY(QDir().mkpath(game.recordDir()));
    if (!storedScore.isEmpty()) {
        writeFile(game.scorePath(), storedScore);
        writeFile(game.namePath(), storedName);
    }
    game.start();
    game.c().lblScore->setCaption(QString::number(score));
    game.run([&game] { game.quiz().cmdExit1_Click(); });

    QCOMPARE(game.boxes.shown, boxes);
    QCOMPARE(game.endedWith, std::optional<int>(0));
    QCOMPARE(readAll(game.scorePath()), scoreAfter);
    QCOMPARE(readAll(game.namePath()), nameAfter);
    QCOMPARE(QDir(game.recordDir()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestEnding::clockRunsOutThroughTheSameExit()
{
    using namespace std::chrono;
    GameFixture game;
    game.start();
    game.c().lblScore->setCaption(QStringLiteral("4"));
    game.c().Timer1->setEnabled(true);
    for (int tick = 1; tick <= 420; ++tick) {
        game.clock.advance(1s);
        game.c().Timer1->poll();
        if (tick == 1)
            QCOMPARE(game.c().lblconto->caption(), QStringLiteral("00:06:59"));
        if (tick == 61)
            QCOMPARE(game.c().lblconto->caption(), QStringLiteral("00:05:59"));
    }
    QCOMPARE(game.c().lblconto->caption(), QStringLiteral("00:00:00"));
    QVERIFY(!game.endedWith);
    game.clock.advance(1s);
    game.c().Timer1->poll();
    QCOMPARE(game.boxes.shown, QStringList({Goodbye, Confirmed}));
    QCOMPARE(game.endedWith, std::optional<int>(0));
    QCOMPARE(readAll(game.scorePath()), QByteArray("4\r\n"));
    // Nothing is handled once the program has ended.
    game.clock.advance(1s);
    game.c().Timer1->poll();
    QCOMPARE(game.boxes.shown.size(), 2);
}

void TestEnding::timeUpWhileTheClockShowsSomethingElse()
{
    GameFixture game;
    game.start();
    game.quiz().state().secondsLeft = 0;
    game.run([&game] { game.quiz().Timer1_Timer(); });
    QCOMPARE(game.boxes.shown, QStringList({QStringLiteral("Tempo scaduto"), Goodbye}));
    QCOMPARE(game.endedWith, std::optional<int>(0));
}

QTEST_MAIN(TestEnding)
#include "tst_ending.moc"
