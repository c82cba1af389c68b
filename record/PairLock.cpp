#include "record/RecordStore.h"

#include "record/RecordError.h"
#include "record/RecordPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vortana {

// The lock is taken on the directory, not on a record file: writeLine renames
// a new file over the old one, so a lock on the file would go with the old one.
RecordStore::PairLock::PairLock(const RecordStore &store)
{
    const QString &directory = store.m_directory;
    ensureDirectory(directory);
    m_fd = ::open(nativePath(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        throw recordError(RecordAction::Lock, directory, errno);
    while (::flock(m_fd, LOCK_EX) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        ::close(m_fd);
        throw recordError(RecordAction::Lock, directory, error);
    }
}

RecordStore::PairLock::~PairLock()
{
    ::close(m_fd);
}

} // namespace vortana
