#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <sys/wait.h>
#include <unistd.h>

using vortana::RecordStore;

namespace {

constexpr int Rounds = 60;
constexpr int FirstScore = 1000;

QString holderOf(const QString &scoreLine)
{
    return QStringLiteral("player-%1").arg(scoreLine.trimmed());
}

// Runs in a child process, which must leave through _exit() alone.
int writePairs(const RecordStore &store, const QString &score, const QString &name, int first) noexcept
{
    try {
        for (int n = first; n < first + Rounds; ++n) {
            const RecordStore::PairLock lock(store);
            store.writeLine(score, QString::number(n));
            store.writeLine(name, holderOf(QString::number(n)));
        }
        return 0;
    } catch (...) {
        return 1;
    }
}

} // namespace

class TestRecordPairLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoGamesNeverMixThePair();
};

// Two games replace the record pair again and again while a third reads it
// under the lock: every read must find a score with its own holder.
void TestRecordPairLock::twoGamesNeverMixThePair()
{
    QTemporaryDir temporary;
    const RecordStore store(temporary.path());
    const QString score = store.GetSystemDir() + QStringLiteral("/aquizrec6.txt");
    const QString name = store.GetSystemDir() + QStringLiteral("/nquizrec6.txt");
    store.writeLine(score, QStringLiteral("0"));
    store.writeLine(name, holderOf(QStringLiteral("0")));

    std::array<pid_t, 2> writers{};
    for (std::size_t i = 0; i < writers.size(); ++i) {
        writers[i] = ::fork();
        QVERIFY(writers[i] >= 0);
        if (writers[i] == 0)
            ::_exit(writePairs(store, score, name, FirstScore * int(i + 1)));
    }

    QStringList mixed;
    for (int running = int(writers.size()); running > 0;) {
        {
            const RecordStore::PairLock lock(store);
            const QString scoreLine = store.Leggifiletxt(score);
            const QString nameLine = store.Leggifiletxt(name);
            if (nameLine != holderOf(scoreLine) + QStringLiteral("\r\n"))
                mixed << scoreLine.trimmed() + u'/' + nameLine.trimmed();
        }
        for (pid_t &writer : writers) {
            int status = 0;
            if (writer > 0 && ::waitpid(writer, &status, WNOHANG) == writer) {
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
                writer = 0;
                --running;
            }
        }
    }
    QVERIFY2(mixed.isEmpty(), qPrintable(mixed.join(u' ')));
}

QTEST_GUILESS_MAIN(TestRecordPairLock)
#include "tst_recordpairlock.moc"
