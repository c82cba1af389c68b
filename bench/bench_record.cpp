#include "record/RecordStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A new record replaces both files under the pair lock, each synced to disk;
// the goal is at most 5 ms for the pair. The files go to a temporary
// directory, which TMPDIR moves to the file system to be measured.
void replaceRecordPair(benchmark::State &state)
{
    QTemporaryDir directory;
    if (!directory.isValid()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const vortana::RecordStore store(directory.path());
    const QString score = store.GetSystemDir() + QStringLiteral("/aquizrec6.txt");
    const QString name = store.GetSystemDir() + QStringLiteral("/nquizrec6.txt");
    store.appendAndClose(score);
    store.appendAndClose(name);
    int right = 0;
    for (auto _ : state) {
        ++right;
        const vortana::RecordStore::PairLock lock(store);
        store.writeLine(score, QString::number(right));
        store.writeLine(name, QStringLiteral("player-%1").arg(right));
    }
}

} // namespace

BENCHMARK(replaceRecordPair)->Unit(benchmark::kMillisecond)->UseRealTime();
