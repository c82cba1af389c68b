#pragma once

#include <utility>

namespace vortana {

// Owns a POSIX file descriptor and closes it when it goes.
class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor();

    FileDescriptor(FileDescriptor &&other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor &operator=(FileDescriptor &&other) noexcept;
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int get() const { return m_fd; }

    // Closes at once and returns what close() returned, so that a failure to
    // write back can still be reported; errno holds the reason.
    int close();

private:
    int m_fd = -1;
};

} // namespace vortana
