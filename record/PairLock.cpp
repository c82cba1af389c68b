#include "record/RecordStore.h"

#include "record/RecordError.h"
#include "record/RecordPath.h"
#include "record/WakeTimer.h"

#include <cerrno>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vortana {

namespace {

constexpr std::chrono::milliseconds WakeInterval{20};
constexpr std::chrono::milliseconds RetryInterval{5};

} // namespace

// The lock is taken on the directory, not on a record file: writeLine renames
// a new file over the old one, so a lock on the file would go with the old one.
// Opening the directory needs only read access, so any account can hold it:
// nobody waits for it without a bound. The wait blocks, so that a game starting
// while others store one record after another still gets its turn.
RecordStore::PairLock::PairLock(const RecordStore &store, std::chrono::milliseconds patience)
{
    const QString &directory = store.m_directory;
    store.prepareDirectory(directory);
    const int fd = ::open(nativePath(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw recordError(RecordAction::Lock, directory, errno);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    const WakeTimer wake(WakeInterval);
    while (::flock(fd, wake.armed() ? LOCK_EX : LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error != EINTR && error != EWOULDBLOCK) {
            ::close(fd);
            throw recordError(RecordAction::Lock, directory, error);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return;
        }
        if (!wake.armed())
            std::this_thread::sleep_for(RetryInterval);
    }
    m_fd = fd;
}

RecordStore::PairLock::~PairLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace vortana
