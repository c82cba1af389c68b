#include "RecordFiles.h"

#include "record/HelperRecordStore.h"
#include "runtime/RuntimeError.h"
#include "window/RecordStoreChoice.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

// The helper built for the tests and the directory it writes, named as the
// game names them: the directory with its final '/', then "/name".
const QByteArray Helper = VORTANA_TEST_HELPER;
const QString Records = QStringLiteral(VORTANA_TEST_HELPER_RECORDS);
const QString ScoreFile = Records + QStringLiteral("//aquizrec6.txt");
const QString NameFile = Records + QStringLiteral("//nquizrec6.txt");

} // namespace

// The store through which a game hands the pair to the set-group-id helper
// that alone writes the shared record; helper.py tries the helper itself.
class TestRecordHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeRefusesFilesTheHelperCannotWrite()
    {
        QVERIFY(QDir(Records).removeRecursively());
        const HelperRecordStore store(Records, QFile::decodeName(Helper));
        const QString elsewhere = QStringLiteral("/tmp/aquizrec6.txt");
        const QString otherName = Records + QStringLiteral("/passwd");
        for (const auto &[score, name] : {std::pair{NameFile, ScoreFile}, {elsewhere, NameFile}, {ScoreFile, otherName}})
            QVERIFY_THROWS_EXCEPTION(RuntimeError, store.replacePair(score, QStringLiteral("1"), name, QStringLiteral("Eva")));
        for (const QString &other : {elsewhere, otherName})
            QVERIFY_THROWS_EXCEPTION(RuntimeError, store.appendAndClose(other));
        QVERIFY(!QDir(Records).exists());
    }

    void helperFailuresBecomeRunTimeErrors_data()
    {
        QTest::addColumn<QByteArray>("script"); // empty: the helper itself; "-": none there
        QTest::addColumn<QString>("name");
        QTest::addColumn<ErrorCode>("code");
        QTest::addColumn<QString>("words");
        const QString eva = QStringLiteral("Eva");
        QTest::newRow("refused name") << QByteArray() << QString(251, u'x') << ErrorCode::InvalidCall << "Nome non valido";
        QTest::newRow("missing helper") << QByteArray("-") << eva << ErrorCode::PathFileAccess << "Impossibile avviare";
        QTest::newRow("its own error") << QByteArray("echo 'Disco pieno' >&2; exit 57") << eva << ErrorCode::DeviceIO << "Disco pieno";
        QTest::newRow("silent status") << QByteArray("exit 3") << eva << ErrorCode::PathFileAccess << "stato 3";
        QTest::newRow("killed") << QByteArray("kill -9 $$") << eva << ErrorCode::PathFileAccess << "interrotto";
    }

    void helperFailuresBecomeRunTimeErrors()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, name);
        QFETCH(ErrorCode, code);
        QFETCH(QString, words);
        QTemporaryDir dir;
        const QString program = script.isEmpty() ? QFile::decodeName(Helper) : dir.filePath(QStringLiteral("helper.sh"));
        QVERIFY(script.size() < 2 || writeBytes(program, "#!/bin/sh\n" + script + "\n"));
        QVERIFY(script.size() < 2 || QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        try {
            HelperRecordStore(Records, program).replacePair(ScoreFile, QStringLiteral("1"), NameFile, name);
            QFAIL("no error");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.code(), code);
            QVERIFY2(error.detail().contains(words), qPrintable(error.detail()));
        }
    }

    void choosesTheStore()
    {
        QTemporaryDir temporary;
        const QString directory = temporary.filePath(QStringLiteral("records"));
        // Root may write any directory, so "not writable" is a directory not made yet.
        const std::array<bool, 4> rows[] = {
            // directory exists, it is the built-in one, the helper is installed: through the helper
            {false, true, true, true}, {true, true, true, false}, {false, true, false, false}, {false, false, true, false}};
        for (const auto &[exists, builtIn, installed, throughHelper] : rows) {
            QVERIFY(QDir(directory).removeRecursively() && (!exists || QDir().mkpath(directory)));
            const auto store = chooseRecordStore(directory + u'/', builtIn ? directory : temporary.filePath(QStringLiteral("x")),
                                                 installed ? QFile::decodeName(Helper) : temporary.filePath(QStringLiteral("x")));
            QCOMPARE(dynamic_cast<const HelperRecordStore *>(store.get()) != nullptr, throughHelper);
            QCOMPARE(store->GetSystemDir(), directory + u'/');
        }
    }
};

QTEST_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
