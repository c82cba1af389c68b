#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"
#include "record/HelperRecordStore.h"
#include "runtime/RuntimeError.h"
#include "window/RecordStoreChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <vector>

using namespace vortana;
using namespace vortana::test;

namespace {

// The helper built for the tests and the directory it writes, named as the
// game names them: the directory with its final '/', then "/name".
const QByteArray Helper = VORTANA_TEST_HELPER;
const QString Records = QStringLiteral(VORTANA_TEST_HELPER_RECORDS);
const QString ScoreFile = Records + QStringLiteral("//aquizrec6.txt");
const QString NameFile = Records + QStringLiteral("//nquizrec6.txt");
const QByteArray OldPair("7\r\nAnna\r\n");
constexpr int CouldNotExecute = 126;

struct Outcome
{
    int status = -1; // -1: ended by a signal
    QByteArray error;
};

// Runs the helper with raw argument bytes (invalid UTF-8 included) and only
// the given environment.
Outcome run(const QByteArray &program, QList<QByteArray> arguments, QList<QByteArray> environment = {})
{
    arguments.prepend(program);
    std::vector<char *> args, env;
    for (QByteArray &argument : arguments)
        args.push_back(argument.data());
    for (QByteArray &variable : environment)
        env.push_back(variable.data());
    args.push_back(nullptr);
    env.push_back(nullptr);
    int error[2];
    if (::pipe2(error, O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        ::dup2(error[1], STDERR_FILENO);
        ::execve(args[0], args.data(), env.data());
        ::_exit(CouldNotExecute);
    }
    ::close(error[1]);
    Outcome outcome;
    char buffer[512];
    for (ssize_t got = 0; (got = ::read(error[0], buffer, sizeof buffer)) > 0;)
        outcome.error.append(buffer, got);
    ::close(error[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    return outcome;
}

QByteArray pair()
{
    return entryState(ScoreFile) + entryState(NameFile);
}

} // namespace

// The set-group-id helper that alone writes the shared record, and the
// store through which a game hands it the pair.
class TestRecordHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(Records).removeRecursively() && QDir().mkpath(Records));
        QVERIFY(writeBytes(ScoreFile, "7\r\n") && writeBytes(NameFile, "Anna\r\n"));
    }

    void refusesEverythingElse_data()
    {
        QTest::addColumn<QList<QByteArray>>("arguments");
        QTest::addColumn<QByteArray>("reason");
        using Args = QList<QByteArray>;
        for (const auto &[tag, arguments] : {std::pair<const char *, Args>{"nothing", {}}, {"command in capitals", {"CREATE"}},
                                             {"create with a path", {"create", "/etc/passwd"}},
                                             {"store without name", {"store", "12"}},
                                             {"store with more", {"store", "12", "Eva", "x"}}})
            QTest::newRow(tag) << arguments << QByteArray("Uso:");
        for (const auto &[tag, score] : {std::pair<const char *, QByteArray>{"empty score", ""}, {"six digits", "123456"},
                                         {"above a 16-bit count", "32768"}, {"leading zero", "012"}, {"sign", "-1"}})
            QTest::newRow(tag) << Args{"store", score, "Eva"} << QByteArray("Punteggio");
        const std::tuple<const char *, QByteArray, QByteArray> names[] = {
            {"empty name", "", "Nome"}, {"251 letters", QByteArray(251, 'a'), "Nome"}, {"not UTF-8", "Eva\xff", "UTF-8"},
            {"cut sequence", "Eva\xc3", "UTF-8"}, {"tab", "Eva\tMaria", "controllo"},
            {"line separator", "Eva\xe2\x80\xa8", "controllo"}};
        for (const auto &[tag, name, reason] : names)
            QTest::newRow(tag) << Args{"store", "1", name} << reason;
    }

    void refusesEverythingElse()
    {
        QFETCH(QList<QByteArray>, arguments);
        QFETCH(QByteArray, reason);
        const Outcome outcome = run(Helper, arguments);
        QCOMPARE(outcome.status, int(ErrorCode::InvalidCall));
        QVERIFY2(outcome.error.contains(reason), outcome.error.constData());
        QCOMPARE(QDir(Records).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 2);
        QCOMPARE(pair(), OldPair);
    }

    // A caller may set any environment and umask: neither moves the record,
    // and the group keeps write on what the helper makes.
    void storesThePair()
    {
        QTemporaryDir elsewhere;
        const QByteArray path = QFile::encodeName(elsewhere.path());
        const QList<QByteArray> environment{"VORTANA_RECORD_DIR=" + path, "TMPDIR=" + path, "HOME=" + path};
        QVERIFY(QDir(Records).removeRecursively());
        const mode_t before = ::umask(077);
        const auto restoreUmask = qScopeGuard([before] { ::umask(before); });
        QCOMPARE(run(Helper, {"create"}).status, 0);
        for (const auto &[score, name] : {std::pair<QByteArray, QByteArray>{"0", "Amico"},
                                          {"32767", QByteArray("\xc3\xa8").repeated(250)}, {"8", "\xef\xbb\xbf" "Eva"}}) {
            const Outcome outcome = run(Helper, {"store", score, name}, environment);
            QVERIFY2(outcome.status == 0, outcome.error.constData());
            QCOMPARE(pair(), score + "\r\n" + name + "\r\n");
        }
        QVERIFY(QDir(elsewhere.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QCOMPARE(modeOf(Records), mode_t(0775));
        QCOMPARE(modeOf(ScoreFile) + modeOf(NameFile), mode_t(2 * 0664));
        QVERIFY(QFile::remove(NameFile));
        QCOMPARE(run(Helper, {"create"}).status, 0);
        QCOMPARE(pair(), QByteArray("8\r\n"));
    }

    void reportsFailuresWithTheirNumber()
    {
        const auto expect = [](const Outcome &outcome, const QByteArray &reason) {
            QCOMPARE(outcome.status, int(ErrorCode::PathFileAccess));
            QVERIFY2(outcome.error.contains(Records.toUtf8()) && outcome.error.contains(reason), outcome.error.constData());
        };
        QVERIFY(QFile::remove(NameFile) && ::mkfifo(QFile::encodeName(NameFile).constData(), 0644) == 0);
        expect(run(Helper, {"create"}), "FIFO");
        QVERIFY(QFile::remove(ScoreFile) && ::mkdir(QFile::encodeName(ScoreFile).constData(), 0755) == 0);
        expect(run(Helper, {"store", "8", "Eva"}), "cartella");
    }

    void writesForAnOrdinaryUserOnlyWithItsGroup_data()
    {
        QTest::addColumn<mode_t>("helperMode");
        QTest::addColumn<int>("status");
        QTest::newRow("set-group-id games") << mode_t(02755) << 0;
        QTest::newRow("plain") << mode_t(0755) << int(ErrorCode::PermissionDenied);
    }

    // As installed: root:games 0775 directory and 0664 files, the helper
    // root:games 2755, a player outside the group.
    void writesForAnOrdinaryUserOnlyWithItsGroup()
    {
        QFETCH(mode_t, helperMode);
        QFETCH(int, status);
        const struct group *games = ::getgrnam("games");
        if (::geteuid() != 0 || !games)
            QSKIP("needs root and the games group");
        const QString copyDir = QFileInfo(QString::fromLocal8Bit(Helper)).absolutePath() + QStringLiteral("/installed");
        struct statvfs fileSystem {};
        if (::statvfs(QFile::encodeName(QFileInfo(copyDir).absolutePath()).constData(), &fileSystem) != 0
            || (fileSystem.f_flag & ST_NOSUID))
            QSKIP("the build tree lies on a file system mounted nosuid");
        QVERIFY(QDir(copyDir).removeRecursively() && QDir().mkpath(copyDir));
        // No set-group-id program is left behind in the build tree.
        const auto removeCopy = qScopeGuard([&copyDir] { QDir(copyDir).removeRecursively(); });
        const QString copy = copyDir + QStringLiteral("/vortana-record");
        QVERIFY(QFile::copy(QString::fromLocal8Bit(Helper), copy));
        for (const QString &path : {copy, Records, ScoreFile, NameFile})
            QCOMPARE(::chown(QFile::encodeName(path).constData(), 0, games->gr_gid), 0);
        QCOMPARE(::chmod(QFile::encodeName(copy).constData(), helperMode), 0);
        QCOMPARE(::chmod(QFile::encodeName(Records).constData(), 0775), 0);
        // The player: nobody, in no group. A build tree under a private home
        // (/root) is out of the player's reach whatever the helper does.
        const QList<QByteArray> player{"--reuid=65534", "--regid=65534", "--clear-groups"};
        if (run("/usr/bin/setpriv", player + QList<QByteArray>{"/usr/bin/test", "-x", QFile::encodeName(Records)}).status != 0)
            QSKIP("nobody cannot reach the build tree");
        const Outcome outcome = run("/usr/bin/setpriv", player + QList<QByteArray>{QFile::encodeName(copy), "store", "11", "Eva"});
        if (outcome.status == CouldNotExecute)
            QSKIP("nobody cannot reach the build tree");
        QVERIFY2(outcome.status == status, outcome.error.constData());
        QCOMPARE(pair(), status ? OldPair : QByteArray("11\r\nEva\r\n"));
        if (status == 0)
            QCOMPARE(QFileInfo(ScoreFile).groupId() + QFileInfo(NameFile).groupId(), 2 * games->gr_gid);
    }

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

    // A pasted tab or line break must not cost the record.
    void aGameEndsThroughTheHelper()
    {
        QVERIFY(QDir(Records).removeRecursively());
        GameFixture game(QStringLiteral("Eva\tMaria\r\n"));
        game.use(std::make_unique<HelperRecordStore>(Records, QFile::decodeName(Helper)));
        game.start();
        QCOMPARE(pair(), QByteArray());
        game.c().lblScore->setCaption(QStringLiteral("3"));
        game.run([&game] { game.quiz().cmdExit1_Click(); });
        QCOMPARE(game.endedWith, std::optional<int>(0));
        QCOMPARE(pair(), QByteArray("3\r\nEva Maria  \r\n"));
    }
};

QTEST_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
