#include "record/RecordStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A new record replaces both files under the pair lock and flushes their
// directory before it is confirmed; syncOneNewFile below is the disk's floor. The files go to a temporary directory, which TMPDIR moves
// to the file system to be measured.
template<typename Replace>
void replacePair(benchmark::State &state, Replace replace)
{
    QTemporaryDir directory;
    if (!directory.isValid()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const vortana::RecordStore store(directory.path());
    const QString score = store.GetSystemDir() + QStringLiteral("aquizrec6.txt");
    const QString name = store.GetSystemDir() + QStringLiteral("nquizrec6.txt");
    store.appendAndClose(score);
    store.appendAndClose(name);
    int right = 0;
    for (auto _ : state) {
        ++right;
        replace(store, score, QString::number(right), name, QStringLiteral("player-%1").arg(right));
    }
}

// Each file on its own: synced, renamed, its directory synced.
void replaceRecordFilesOneByOne(benchmark::State &state)
{
    replacePair(state, [](const vortana::RecordStore &store, const QString &score, const QString &scoreLine,
                          const QString &name, const QString &nameLine) {
        const vortana::RecordStore::PairLock lock(store, vortana::StoreLockWait);
        store.writeLine(score, scoreLine);
        store.writeLine(name, nameLine);
    });
}

// The store as a game ends: the lock, one flush for the two files, the two
// renames, one flush of their directory.
void replaceRecordPair(benchmark::State &state)
{
    replacePair(state, [](const vortana::RecordStore &store, const QString &score, const QString &scoreLine,
                          const QString &name, const QString &nameLine) {
        store.replacePair(score, scoreLine, name, nameLine);
    });
}

// What the disk itself asks for one small new file made durable: the floor
// under any replacement that survives a power cut.
void syncOneNewFile(benchmark::State &state)
{
    QTemporaryDir directory;
    const QByteArray path = directory.filePath(QStringLiteral("one")).toLocal8Bit();
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, "12\r\n", 4) != 4 || ::fdatasync(fd) != 0) {
            state.SkipWithError("cannot write a file");
            break;
        }
        ::close(fd);
        ::unlink(path.constData());
    }
}

} // namespace

// The disk's flush time swings with what else the machine writes, and each
// wake from a flush waits longer for a core when both are busy: many short
// repetitions, whose median a passing burst cannot move. Nine were too few on
// a loaded machine for the floor's median to hold still.
BENCHMARK(replaceRecordFilesOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20)->Repetitions(31);
BENCHMARK(replaceRecordPair)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20)->Repetitions(31);
BENCHMARK(syncOneNewFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20)->Repetitions(31);
