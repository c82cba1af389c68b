#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <atomic>
#include <csignal>
#include <sys/mman.h>
#include <sys/wait.h>

using namespace vortana;
using namespace vortana::test;

namespace {

// Record pairs replaced, over all the writers killed; forking is slow under
// AddressSanitizer, where fewer do.
#ifdef __SANITIZE_ADDRESS__
constexpr int Replacements = 1000;
#else
constexpr int Replacements = 5000;
#endif
constexpr int ProbePairs = 20;
constexpr int StartUps = 150;

QString holderOf(qint64 score)
{
    return QStringLiteral("giocatore %1").arg(score);
}

// The number in a whole record line ("<prefix><n>" CR LF), -1 for anything else.
qint64 numberIn(const QString &path, const QByteArray &prefix)
{
    const QByteArray line = entryState(path);
    bool number = false;
    const qint64 n = line.mid(prefix.size(), line.size() - prefix.size() - 2).toLongLong(&number);
    return line.startsWith(prefix) && line.endsWith("\r\n") && number ? n : -1;
}

// What the test and its writers share across fork().
struct Shared
{
    std::atomic<qint64> done{0};
    std::atomic<bool> started{false};
    std::atomic<bool> stop{false};
};

// Stores pairs as a game leaving with a record does, until told to stop or
// killed; runs in a child process, which must leave through _exit() alone.
[[noreturn]] void storeFrom(const QString &directory, qint64 first, Shared *shared) noexcept
{
    shared->started = true;
    try {
        const RecordStore store(directory);
        for (qint64 n = first; !shared->stop; ++n) {
            store.replacePair(directory + QStringLiteral("/aquizrec6.txt"), QString::number(n),
                              directory + QStringLiteral("/nquizrec6.txt"), holderOf(n));
            shared->done.fetch_add(1);
        }
        ::_exit(0);
    } catch (...) {
        ::_exit(1);
    }
}

Shared *sharedMemory()
{
    void *memory = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : new (memory) Shared;
}

} // namespace

class TestRecordRace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A writer killed at any moment leaves each file whole, the old content or
    // the new; the name changes only with its own score or the one after it.
    void killedWriterLeavesWholeFiles()
    {
        // A kill is about the process, not the disk: files in memory, where they
        // exist, make thousands of replacements quick without changing what a
        // kill can leave.
        QTemporaryDir temporary((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                                + QStringLiteral("/vortana-crash-XXXXXX"));
        QVERIFY(temporary.isValid());
        const QString score = temporary.filePath(QStringLiteral("aquizrec6.txt"));
        const QString name = temporary.filePath(QStringLiteral("nquizrec6.txt"));
        const RecordStore store(temporary.path());
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < ProbePairs; ++i)
            store.replacePair(score, QStringLiteral("0"), name, holderOf(0));
        // Kills spread over about three replacements of the pair. A busy machine
        // may stall a writer for longer: the spread then widens until writers get
        // through again, so the count is reached however slow the machine.
        const auto pairUs = static_cast<quint32>(std::max<qint64>(timer.nsecsElapsed() / ProbePairs / 1000, 20));
        quint32 maxDelayUs = 3 * pairUs;
        Shared *shared = sharedMemory();
        QVERIFY(shared);
        QRandomGenerator random(QRandomGenerator::global()->generate());

        qint64 next = 1, score0 = 0, name0 = 0;
        while (shared->done < Replacements) {
            const qint64 doneBefore = shared->done;
            shared->started = false;
            const pid_t writer = ::fork();
            QVERIFY(writer >= 0);
            if (writer == 0)
                storeFrom(temporary.path(), next, shared);
            while (!shared->started)
                ::usleep(10);
            ::usleep(random.bounded(maxDelayUs));
            QCOMPARE(::kill(writer, SIGKILL), 0);
            int status = 0;
            QCOMPARE(::waitpid(writer, &status, 0), writer);
            QVERIFY2(WIFSIGNALED(status), "the writer failed before it was killed");

            const qint64 s = numberIn(score, "");
            const qint64 n = numberIn(name, "giocatore ");
            const QByteArray pair = QByteArray::number(s) + '/' + QByteArray::number(n);
            // Each file holds what it held before this writer or a line this writer wrote,
            // and a name this writer wrote came with its own score or the one after.
            QVERIFY2(s == score0 || s >= next, pair.constData());
            QVERIFY2(n == name0 || n >= next, pair.constData());
            QVERIFY2(n <= s && (n < next || s - n <= 1), pair.constData());
            maxDelayUs = shared->done > doneBefore ? 3 * pairUs : std::min(2 * maxDelayUs, 1000u * 1000u);
            score0 = s;
            name0 = n;
            next = s + 1;
        }
        // What a kill leaves besides the two files is a hidden new file, never
        // taken for a record.
        for (const QString &entry : QDir(temporary.path()).entryList(QDir::Files | QDir::Hidden))
            QVERIFY2(entry.startsWith(u'.') || entry == u"aquizrec6.txt" || entry == u"nquizrec6.txt", qPrintable(entry));
        QCOMPARE(::munmap(shared, sizeof(Shared)), 0);
    }

    // Two games store their records over and over, both starting on a record
    // directory not made yet, while games start up: every start-up shows a
    // score with its own holder, and so does the pair the two leave behind.
    void twoGamesEndWhileOthersStart()
    {
        QTemporaryDir temporary;
        const QString directory = temporary.filePath(QStringLiteral("records"));
        Shared *shared = sharedMemory();
        QVERIFY(shared);
        std::array<pid_t, 2> writers{};
        for (std::size_t i = 0; i < writers.size(); ++i) {
            writers[i] = ::fork();
            QVERIFY(writers[i] >= 0);
            if (writers[i] == 0)
                storeFrom(directory, 1000 * qint64(i + 1), shared);
        }

        const auto onePair = [](const QString &score, const QString &name) {
            return (score.isEmpty() && name.isEmpty()) || name.trimmed() == holderOf(score.trimmed().toLongLong());
        };
        int mixed = 0;
        for (int i = 0; i < StartUps; ++i) {
            GameFixture game(QStringLiteral("Mario"), directory);
            QVERIFY(game.window->load());
            mixed += !onePair(game.c().lblpunti->caption(), game.c().lblnome->caption());
        }
        shared->stop = true;
        for (const pid_t writer : writers) {
            int status = 0;
            QCOMPARE(::waitpid(writer, &status, 0), writer);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QCOMPARE(mixed, 0);
        QVERIFY(onePair(QString::fromUtf8(entryState(directory + QStringLiteral("/aquizrec6.txt"))),
                        QString::fromUtf8(entryState(directory + QStringLiteral("/nquizrec6.txt")))));
        QCOMPARE(::munmap(shared, sizeof(Shared)), 0);
    }
};

QTEST_MAIN(TestRecordRace)
#include "tst_recordrace.moc"
