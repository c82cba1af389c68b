#include "PlantedEntries.h"

#include "quiz/controls/Label.h"

#include <QTest>

using namespace vortana;
using namespace vortana::test;

Q_DECLARE_METATYPE(vortana::test::Entry)

// Something other than a plain file under a record file's name at start-up.
class TestStartUpEntries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void atStartUp_data();
    void atStartUp();

private:
    QTemporaryDir m_outside;
};

void TestStartUpEntries::atStartUp_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("reason");

    for (const char *file : {"aquizrec6.txt", "nquizrec6.txt"}) {
        const QByteArray tag = QByteArray(file) + ": ";
        QTest::newRow((tag + "symbolic link").constData()) << file << Entry::Symlink << "collegamento simbolico";
        QTest::newRow((tag + "FIFO").constData()) << file << Entry::Fifo << "FIFO";
        QTest::newRow((tag + "directory").constData()) << file << Entry::Directory << "cartella";
        QTest::newRow((tag + "unreadable file").constData()) << file << Entry::Unreadable << "Autorizzazione negata";
    }
}

// The error box names the file and what is wrong with it, the program ends
// with status 1 before the character comes, and nothing anywhere is changed.
void TestStartUpEntries::atStartUp()
{
    QFETCH(QString, file);
    QFETCH(Entry, entry);
    QFETCH(QString, reason);
    if (entry == Entry::Unreadable && ::geteuid() == 0)
        QSKIP("root opens any file; the same test runs again as an ordinary user");

    GameFixture game;
    prepareRecord(game, m_outside);
    const QString path = fileOf(game, file);
    const QString other = fileOf(game, file.startsWith(u'a') ? QStringLiteral("nquizrec6.txt")
                                                              : QStringLiteral("aquizrec6.txt"));
    const QByteArray otherBefore = entryState(other);
    QVERIFY(plant(entry, path, m_outside.filePath(QStringLiteral("segreto"))));
    const QByteArray planted = entryState(path);

    ::alarm(HangLimitSeconds);
    QVERIFY(!game.window->load());
    ::alarm(0);

    QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
    const QString box = game.boxes.shown.last();
    QVERIFY2(box.startsWith(QStringLiteral("Errore di run-time")), qPrintable(box));
    QVERIFY2(box.contains(shownPath(game, file)), qPrintable(box));
    QVERIFY2(box.contains(reason), qPrintable(box));
    QVERIFY(game.agent.requests.isEmpty());
    QCOMPARE(entryState(path), planted);
    QCOMPARE(entryState(other), otherBefore);
    QCOMPARE(entryState(m_outside.filePath(QStringLiteral("segreto"))), QByteArray("file:segreto\r\n"));
}

QTEST_MAIN(TestStartUpEntries)
#include "tst_startupentries.moc"
