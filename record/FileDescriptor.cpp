#include "record/FileDescriptor.h"

#include <cerrno>
#include <unistd.h>

namespace vortana {

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileDescriptor &FileDescriptor::operator=(FileDescriptor &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

int FileDescriptor::close()
{
    const int fd = std::exchange(m_fd, -1);
    if (fd < 0)
        return 0;
    // Linux releases the descriptor even when close() is interrupted, so
    // retrying could close a descriptor another thread has just been given.
    if (::close(fd) != 0 && errno != EINTR)
        return -1;
    return 0;
}

} // namespace vortana
