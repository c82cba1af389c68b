#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"
#include "record/FileDescriptor.h"
#include "record/HelperRecordStore.h"
#include "runtime/Dispatcher.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>

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
        QTest::newRow("no directory") << QByteArray("exit 76") << eva << ErrorCode::PathNotFound << "stato 76";
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

    void aGameEnds_data()
    {
        QTest::addColumn<bool>("throughHelper");
        QTest::addColumn<bool>("lockHeld"); // by another game, for good
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("pairLeft");
        // A pasted tab or line break must not cost the record.
        QTest::newRow("through the helper") << true << false << "Eva\tMaria\r\n" << QByteArray("3\r\nEva Maria  \r\n");
        QTest::newRow("lock held by a stopped game") << false << true << "Eva" << QByteArray("2\r\nAnna\r\n");
    }

    // The game starts on the record as it stands whoever holds the lock, and a
    // record it cannot store is told as such, not lost in silence.
    void aGameEnds()
    {
        QFETCH(bool, throughHelper);
        QFETCH(bool, lockHeld);
        QFETCH(QString, name);
        QFETCH(QByteArray, pairLeft);
        QVERIFY(QDir(Records).removeRecursively() && QDir().mkpath(Records));
        QVERIFY(writeBytes(ScoreFile, "2\r\n") && writeBytes(NameFile, "Anna\r\n") && writeBytes(Records + QStringLiteral("/.lock"), {}));
        GameFixture game(name, Records);
        if (throughHelper)
            game.use(std::make_unique<HelperRecordStore>(Records, QFile::decodeName(Helper)));
        const FileDescriptor holder(::open(QFile::encodeName(Records + QStringLiteral("/.lock")).constData(), O_RDONLY | O_CLOEXEC));
        QVERIFY(!lockHeld || ::flock(holder.get(), LOCK_EX) == 0);
        ::alarm(HangLimitSeconds);
        game.start();
        QCOMPARE(game.c().lblpunti->caption() + game.c().lblnome->caption(), QStringLiteral("2\r\nAnna\r\n"));
        game.c().lblScore->setCaption(QStringLiteral("3"));
        game.run([&game] { game.quiz().cmdExit1_Click(); });
        ::alarm(0);
        QCOMPARE(game.endedWith, std::optional<int>(lockHeld ? Dispatcher::ErrorExitStatus : 0));
        const QString &box = game.boxes.shown.last();
        QCOMPARE(box.startsWith(QStringLiteral("Errore di run-time '55'")) && box.contains(QStringLiteral("bloccato da un'altra partita")), lockHeld);
        QCOMPARE(entryState(ScoreFile) + entryState(NameFile), pairLeft);
    }
};

QTEST_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
