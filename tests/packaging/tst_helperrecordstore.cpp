#include "FixedRandom.h"
#include "HelperRecords.h"
#include "RecordingAgent.h"
#include "ScriptedBoxes.h"

#include "quiz/controls/Label.h"
#include "record/HelperRecordStore.h"
#include "runtime/Clock.h"
#include "runtime/RuntimeError.h"
#include "window/RecordStoreChoice.h"
#include "window/Tavola.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

const QString HelperPath = QFile::decodeName(Helper);
// As the game names them: the directory with its final '/', then "/name".
const QString GameScoreFile = Records + QStringLiteral("//aquizrec6.txt");
const QString GameNameFile = Records + QStringLiteral("//nquizrec6.txt");

QString script(const QTemporaryDir &dir, const QByteArray &body)
{
    const QString path = dir.filePath(QStringLiteral("helper.sh"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body + "\n") < 0)
        return {};
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

class TestHelperRecordStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void createsAndReplacesThroughTheHelper();
    void refusesFilesTheHelperCannotWrite_data();
    void refusesFilesTheHelperCannotWrite();
    void helperFailuresBecomeRunTimeErrors_data();
    void helperFailuresBecomeRunTimeErrors();
    void choosesTheStore_data();
    void choosesTheStore();
    void aGameEndsThroughTheHelper_data();
    void aGameEndsThroughTheHelper();

private:
    QTemporaryDir m_temporary;
};

void TestHelperRecordStore::init()
{
    QVERIFY(QDir(Records).removeRecursively());
}

void TestHelperRecordStore::createsAndReplacesThroughTheHelper()
{
    const HelperRecordStore store(Records, HelperPath);
    store.appendAndClose(GameScoreFile);
    store.appendAndClose(GameNameFile);
    QCOMPARE(readAll(GameScoreFile), QByteArray());
    QCOMPARE(readAll(GameNameFile), QByteArray());
    store.replacePair(GameScoreFile, QStringLiteral("12"), GameNameFile, QStringLiteral("Niccolò"));
    QCOMPARE(store.Leggifiletxt(GameScoreFile), QStringLiteral("12\r\n"));
    QCOMPARE(readAll(GameNameFile), QStringLiteral("Niccolò\r\n").toUtf8());
    // A pasted tab or line break must not cost the record.
    store.replacePair(GameScoreFile, QStringLiteral("13"), GameNameFile, QStringLiteral("Eva\tMaria\r\n"));
    QCOMPARE(readAll(GameNameFile), QByteArray("Eva Maria  \r\n"));
}

void TestHelperRecordStore::refusesFilesTheHelperCannotWrite_data()
{
    QTest::addColumn<QString>("scorePath");
    QTest::addColumn<QString>("namePath");

    QTest::newRow("swapped") << GameNameFile << GameScoreFile;
    QTest::newRow("another directory") << QStringLiteral("/tmp/aquizrec6.txt") << GameNameFile;
    QTest::newRow("another name") << GameScoreFile << Records + QStringLiteral("/passwd");
    QTest::newRow("out and back in") << Records + QStringLiteral("/../records/aquizrec6.txt/..") << GameNameFile;
}

void TestHelperRecordStore::refusesFilesTheHelperCannotWrite()
{
    QFETCH(QString, scorePath);
    QFETCH(QString, namePath);

    const HelperRecordStore store(Records, HelperPath);
    try {
        store.replacePair(scorePath, QStringLiteral("1"), namePath, QStringLiteral("Eva"));
        QFAIL("no error");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), ErrorCode::InvalidCall);
    }
    for (const QString &other : {QStringLiteral("/tmp/aquizrec6.txt"), Records + QStringLiteral("/passwd")})
        QVERIFY_THROWS_EXCEPTION(RuntimeError, store.appendAndClose(other));
    QVERIFY(!QDir(Records).exists());
}

void TestHelperRecordStore::helperFailuresBecomeRunTimeErrors_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("name");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<QString>("words");

    QTest::newRow("refused name") << QByteArray() << QString(251, u'x') << ErrorCode::InvalidCall
                                  << QStringLiteral("Nome non valido");
    QTest::newRow("missing helper") << QByteArray("-") << QStringLiteral("Eva") << ErrorCode::PathFileAccess
                                    << QStringLiteral("Impossibile avviare");
    QTest::newRow("its own error") << QByteArray("echo 'Disco pieno' >&2; exit 57") << QStringLiteral("Eva")
                                   << ErrorCode::DeviceIO << QStringLiteral("Disco pieno");
    QTest::newRow("silent status") << QByteArray("exit 3") << QStringLiteral("Eva") << ErrorCode::PathFileAccess
                                   << QStringLiteral("stato 3");
    QTest::newRow("killed") << QByteArray("kill -9 $$") << QStringLiteral("Eva") << ErrorCode::PathFileAccess
                            << QStringLiteral("interrotto");
}

void TestHelperRecordStore::helperFailuresBecomeRunTimeErrors()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, name);
    QFETCH(ErrorCode, code);
    QFETCH(QString, words);

    QTemporaryDir dir;
    const QString program = script.isEmpty() ? HelperPath
                            : script == "-"  ? dir.filePath(QStringLiteral("absent"))
                                             : ::script(dir, script);
    const HelperRecordStore store(Records, program);
    try {
        store.replacePair(GameScoreFile, QStringLiteral("1"), GameNameFile, name);
        QFAIL("no error");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), code);
        QVERIFY2(error.detail().contains(words), qPrintable(error.detail()));
    }
}

void TestHelperRecordStore::choosesTheStore_data()
{
    QTest::addColumn<bool>("directoryExists");
    QTest::addColumn<bool>("builtIn");
    QTest::addColumn<bool>("helperInstalled");
    QTest::addColumn<bool>("throughHelper");

    // Root may write any directory, so "not writable" is a directory not made yet.
    QTest::newRow("installed, directory not writable") << false << true << true << true;
    QTest::newRow("installed, directory writable") << true << true << true << false;
    QTest::newRow("build tree, no helper") << false << true << false << false;
    QTest::newRow("a directory of one's own") << false << false << true << false;
}

void TestHelperRecordStore::choosesTheStore()
{
    QFETCH(bool, directoryExists);
    QFETCH(bool, builtIn);
    QFETCH(bool, helperInstalled);
    QFETCH(bool, throughHelper);

    const QString directory = m_temporary.filePath(QStringLiteral("records"));
    QVERIFY(QDir(directory).removeRecursively());
    if (directoryExists)
        QVERIFY(QDir().mkpath(directory));
    const QString helper = helperInstalled ? HelperPath : m_temporary.filePath(QStringLiteral("absent"));
    const QString builtInDirectory = builtIn ? directory : m_temporary.filePath(QStringLiteral("elsewhere"));
    const auto store = chooseRecordStore(directory + u'/', builtInDirectory, helper);
    QCOMPARE(dynamic_cast<const HelperRecordStore *>(store.get()) != nullptr, throughHelper);
    QCOMPARE(store->GetSystemDir(), directory + u'/');
}

void TestHelperRecordStore::aGameEndsThroughTheHelper_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("nameAfter");
    QTest::addColumn<int>("status");

    QTest::newRow("new record") << QStringLiteral("Eva") << QByteArray("3\r\n") << QByteArray("Eva\r\n") << 0;
    QTest::newRow("tab in the name") << QStringLiteral("Eva\tMaria") << QByteArray("3\r\n") << QByteArray("Eva Maria\r\n") << 0;
    // Checked before anything is written: not even the score changes.
    QTest::newRow("name the helper refuses") << QString(251, u'x') << QByteArray() << QByteArray() << 1;
}

void TestHelperRecordStore::aGameEndsThroughTheHelper()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, scoreAfter);
    QFETCH(QByteArray, nameAfter);
    QFETCH(int, status);

    ScriptedBoxes boxes;
    boxes.name = name;
    RecordingAgent agent;
    FixedRandom random;
    ManualClock clock;
    HelperRecordStore records(Records, HelperPath);
    std::optional<int> ended;
    Tavola window({boxes, agent, random, records, clock, [&ended](int end) { ended = end; }});
    QVERIFY(window.load());
    window.activate();
    window.controls().lblScore->setCaption(QStringLiteral("3"));
    window.dispatcher().dispatch([&window] { window.quiz().cmdExit1_Click(); });

    QCOMPARE(ended, std::optional<int>(status));
    QCOMPARE(readAll(GameNameFile), nameAfter);
    QCOMPARE(readAll(GameScoreFile), scoreAfter);
    if (status != 0)
        QVERIFY(boxes.shown.last().contains(QStringLiteral("Nome non valido")));
}

QTEST_MAIN(TestHelperRecordStore)
#include "tst_helperrecordstore.moc"
