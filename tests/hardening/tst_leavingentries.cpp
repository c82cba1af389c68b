#include "LeavingTexts.h"
#include "PlantedEntries.h"

#include "quiz/controls/Label.h"

#include <QTest>

using namespace vortana;
using namespace vortana::test;

Q_DECLARE_METATYPE(vortana::test::Entry)

// Something other than a plain file planted under a record file's name while
// the game runs, found when the game stores its record.
class TestLeavingEntries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plantedBeforeLeaving_data();
    void plantedBeforeLeaving();

private:
    QTemporaryDir m_outside;
};

void TestLeavingEntries::plantedBeforeLeaving_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("nameAfter");

    const QByteArray score = "file:13\r\n";
    const QByteArray name = "file:Mario\r\n";
    const QString a = QStringLiteral("aquizrec6.txt");
    const QString n = QStringLiteral("nquizrec6.txt");
    // Replaced by the new record: the entry itself goes, whatever it pointed to stays.
    QTest::newRow("aquizrec6.txt: symbolic link") << a << Entry::Symlink << score << name;
    QTest::newRow("aquizrec6.txt: FIFO") << a << Entry::Fifo << score << name;
    QTest::newRow("aquizrec6.txt: unreadable file") << a << Entry::Unreadable << score << name;
    QTest::newRow("nquizrec6.txt: symbolic link") << n << Entry::Symlink << score << name;
    QTest::newRow("nquizrec6.txt: FIFO") << n << Entry::Fifo << score << name;
    QTest::newRow("nquizrec6.txt: unreadable file") << n << Entry::Unreadable << score << name;
    // A directory cannot be replaced: the error box, and neither file changes,
    // so the record never pairs the new score with the old holder.
    QTest::newRow("aquizrec6.txt: directory") << a << Entry::Directory << QByteArray("directory")
                                              << QByteArray("file:Anna\r\n");
    QTest::newRow("nquizrec6.txt: directory") << n << Entry::Directory << QByteArray("file:12\r\n")
                                              << QByteArray("directory");
}

void TestLeavingEntries::plantedBeforeLeaving()
{
    QFETCH(QString, file);
    QFETCH(Entry, entry);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, nameAfter);

    GameFixture game;
    prepareRecord(game, m_outside);
    game.start();
    QVERIFY(plant(entry, fileOf(game, file), m_outside.filePath(QStringLiteral("segreto"))));
    game.c().lblScore->setCaption(QStringLiteral("13"));
    ::alarm(HangLimitSeconds);
    game.run([&game] { game.quiz().cmdExit1_Click(); });
    ::alarm(0);

    QCOMPARE(entryState(game.scorePath()), scoreAfter);
    QCOMPARE(entryState(game.namePath()), nameAfter);
    QCOMPARE(entryState(m_outside.filePath(QStringLiteral("segreto"))), QByteArray("file:segreto\r\n"));
    if (entry == Entry::Directory) {
        QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
        QVERIFY2(game.boxes.shown.last().contains(shownPath(game, file)), qPrintable(game.boxes.shown.last()));
        QVERIFY2(game.boxes.shown.last().contains(QStringLiteral("cartella")), qPrintable(game.boxes.shown.last()));
    } else {
        QCOMPARE(game.endedWith, std::optional<int>(0));
        QCOMPARE(game.boxes.shown, QStringList({Goodbye, Confirmed}));
    }
    QCOMPARE(QDir(game.recordDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 2);
}

QTEST_MAIN(TestLeavingEntries)
#include "tst_leavingentries.moc"
