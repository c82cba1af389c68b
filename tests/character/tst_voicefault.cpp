#include "CharacterGame.h"

#include <QDir>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

// The speech engine cannot start (its data are missing): start-up says so in
// the error box and ends, before the game begins and without touching the record.
class TestVoiceFault : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void startUpEnds();

private:
    QTemporaryDir m_noData;
    QTemporaryDir m_characters;
};

void TestVoiceFault::initTestCase()
{
    // Read by the engine when it starts, which is at the first character.
    qputenv("ESPEAK_DATA_PATH", QFile::encodeName(m_noData.path()));
}

void TestVoiceFault::startUpEnds()
{
    const QString file = m_characters.filePath(QStringLiteral("Merlin.vchar"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(CharacterGame::merlin());
    out.close();

    CharacterGame game(file);
    QVERIFY(!game.window.load());
    QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
    const QString box = game.boxes.shown.last();
    QVERIFY2(box.startsWith(QStringLiteral("Errore di run-time")), qPrintable(box));
    QVERIFY2(box.contains(QStringLiteral("sintesi vocale")), qPrintable(box));
    QCOMPARE(game.read(QStringLiteral("aquizrec6.txt")), QByteArray("12\r\n"));
    QCOMPARE(game.read(QStringLiteral("nquizrec6.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(QDir(game.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

QTEST_MAIN(TestVoiceFault)
#include "tst_voicefault.moc"
