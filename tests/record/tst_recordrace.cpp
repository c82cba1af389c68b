#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"

#include <QDir>
#include <QTest>

#include <array>
#include <atomic>
#include <sys/mman.h>
#include <sys/wait.h>

using namespace vortana;
using namespace vortana::test;

namespace {

constexpr int StartUps = 150;

QString holderOf(qint64 score)
{
    return QStringLiteral("giocatore %1").arg(score);
}

// Stores pairs as a game leaving with a record does, until told to stop;
// runs in a child process, which must leave through _exit() alone.
[[noreturn]] void storeFrom(const QString &directory, qint64 first, const std::atomic<bool> *stop) noexcept
{
    try {
        const RecordStore store(directory);
        for (qint64 n = first; !*stop; ++n) {
            store.replacePair(directory + QStringLiteral("/aquizrec6.txt"), QString::number(n),
                              directory + QStringLiteral("/nquizrec6.txt"), holderOf(n));
        }
        ::_exit(0);
    } catch (...) {
        ::_exit(1);
    }
}

} // namespace

class TestRecordRace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Two games store their records over and over, both starting on a record
    // directory not made yet, while games start up: every start-up shows a
    // score with its own holder, and so does the pair the two leave behind.
    void twoGamesEndWhileOthersStart()
    {
        QTemporaryDir temporary;
        const QString directory = temporary.filePath(QStringLiteral("records"));
        // Shared with the writers across fork().
        void *memory = ::mmap(nullptr, sizeof(std::atomic<bool>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        QVERIFY(memory != MAP_FAILED);
        auto *stop = new (memory) std::atomic<bool>(false);
        std::array<pid_t, 2> writers{};
        for (std::size_t i = 0; i < writers.size(); ++i) {
            writers[i] = ::fork();
            QVERIFY(writers[i] >= 0);
            if (writers[i] == 0)
                storeFrom(directory, 1000 * qint64(i + 1), stop);
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
        *stop = true;
        for (const pid_t writer : writers) {
            int status = 0;
            QCOMPARE(::waitpid(writer, &status, 0), writer);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        QCOMPARE(mixed, 0);
        QVERIFY(onePair(QString::fromUtf8(entryState(directory + QStringLiteral("/aquizrec6.txt"))),
                        QString::fromUtf8(entryState(directory + QStringLiteral("/nquizrec6.txt")))));
        QCOMPARE(::munmap(memory, sizeof(std::atomic<bool>)), 0);
    }
};

QTEST_MAIN(TestRecordRace)
#include "tst_recordrace.moc"
