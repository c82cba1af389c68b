#include "record/RecordStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using vortana::RecordStore;

namespace {

// Record pairs replaced, over all the writers killed; forking is slow under
// AddressSanitizer, where fewer do.
#ifdef __SANITIZE_ADDRESS__
constexpr int Replacements = 1000;
#else
constexpr int Replacements = 5000;
#endif
constexpr int ProbePairs = 20;

QString holderOf(qint64 score)
{
    return QStringLiteral("player-%1").arg(score);
}

// The number in a whole record line ("<prefix><n>" CR LF), -1 for anything else.
qint64 numberIn(const QString &path, const QByteArray &prefix)
{
    QFile file(path);
    const QByteArray line = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    bool number = false;
    const qint64 n = line.mid(prefix.size(), line.size() - prefix.size() - 2).toLongLong(&number);
    return line.startsWith(prefix) && line.endsWith("\r\n") && number ? n : -1;
}

struct Shared
{
    std::atomic<qint64> done{0};
    std::atomic<bool> started{false};
};

// Replaces the pair as the exit routine does, again and again, until killed.
[[noreturn]] void writeForEver(const RecordStore &store, const QString &score, const QString &name, qint64 first,
                               Shared *shared) noexcept
{
    shared->started = true;
    try {
        for (qint64 n = first;; ++n) {
            store.replacePair(score, QString::number(n), name, holderOf(n));
            shared->done.fetch_add(1);
        }
    } catch (...) {
        ::_exit(1);
    }
}

} // namespace

class TestCrashSafety : public QObject
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
        const RecordStore store(temporary.path());
        const QString score = store.GetSystemDir() + QStringLiteral("/aquizrec6.txt");
        const QString name = store.GetSystemDir() + QStringLiteral("/nquizrec6.txt");
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < ProbePairs; ++i)
            store.replacePair(score, QStringLiteral("0"), name, holderOf(0));
        // Kills spread over about three replacements of the pair. A busy machine
        // may stall a writer for longer: the spread then widens until writers get
        // through again, so the count is reached however slow the machine.
        const auto pairUs = static_cast<quint32>(std::max<qint64>(timer.nsecsElapsed() / ProbePairs / 1000, 20));
        quint32 maxDelayUs = 3 * pairUs;
        void *memory = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        QVERIFY(memory != MAP_FAILED);
        auto *shared = new (memory) Shared;
        QRandomGenerator random(QRandomGenerator::global()->generate());

        qint64 next = 1, score0 = 0, name0 = 0;
        while (shared->done < Replacements) {
            const qint64 doneBefore = shared->done;
            shared->started = false;
            const pid_t writer = ::fork();
            QVERIFY(writer >= 0);
            if (writer == 0)
                writeForEver(store, score, name, next, shared);
            while (!shared->started)
                ::usleep(10);
            ::usleep(random.bounded(maxDelayUs));
            QCOMPARE(::kill(writer, SIGKILL), 0);
            int status = 0;
            QCOMPARE(::waitpid(writer, &status, 0), writer);
            QVERIFY2(WIFSIGNALED(status), "the writer failed before it was killed");

            const qint64 s = numberIn(score, "");
            const qint64 n = numberIn(name, "player-");
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
        QCOMPARE(::munmap(memory, sizeof(Shared)), 0);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
