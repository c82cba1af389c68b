#include "record/RecordStore.h"

#include "record/RecordEntry.h"
#include "record/RecordError.h"
#include "record/RecordPath.h"
#include "record/WakeTimer.h"

#include <cerrno>
#include <thread>
#include <sys/file.h>

namespace vortana {

namespace {

constexpr std::chrono::milliseconds WakeInterval{20};
constexpr std::chrono::milliseconds RetryInterval{5};

FileDescriptor openLockFile(const QString &path, MissingDirectory missing)
{
    try {
        return openOrCreate(path, missing == MissingDirectory::Create, LockFileMode, RecordAction::Lock);
    } catch (const RuntimeError &error) {
        if (error.code() != ErrorCode::FileNotFound)
            throw;
        throw RuntimeError(ErrorCode::PathNotFound,
                           QStringLiteral("Il file di blocco «%1» non c'è: lo crea l'installazione del gioco").arg(path));
    }
}

} // namespace

// The lock is taken on a file of its own, not on a record file (writeLine
// renames a new file over the old one, so a lock on it would go with the old
// one) nor on the directory, which every account may open and lock: the lock
// file is open to the directory's group alone, made so by the installer or by
// the game that makes the directory. The wait blocks, so that a game starting
// while others store one record after another still gets its turn.
RecordStore::PairLock::PairLock(const RecordStore &store, std::chrono::milliseconds patience)
{
    store.prepareDirectory(store.m_directory);
    const QString path = store.GetSystemDir() + QLatin1String(LockFileName);
    FileDescriptor fd = openLockFile(path, store.m_missing);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    const WakeTimer wake(WakeInterval);
    while (::flock(fd.get(), wake.armed() ? LOCK_EX : LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error != EINTR && error != EWOULDBLOCK)
            throw recordError(RecordAction::Lock, path, error);
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        if (!wake.armed())
            std::this_thread::sleep_for(RetryInterval);
    }
    m_lock = std::move(fd);
}

} // namespace vortana
