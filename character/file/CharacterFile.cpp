#include "character/file/CharacterFile.h"

#include "character/file/CharacterParser.h"
#include "runtime/RuntimeError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vortana {

namespace {

[[noreturn]] void fail(ErrorCode code, const QString &path, const QString &what)
{
    throw RuntimeError(code, QStringLiteral("File del personaggio \"%1\": %2").arg(path, what));
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

CharacterData CharacterFile::load(const QString &path, const QStringList &required)
{
    return parse(read(path), path, required);
}

QByteArray CharacterFile::read(const QString &path)
{
    if (path.isEmpty())
        fail(ErrorCode::FileNotFound, path, QStringLiteral("nessun percorso indicato"));
    // Non-blocking, so that a FIFO named as a character cannot stall the open.
    const QByteArray native = QFile::encodeName(path);
    Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        const ErrorCode code = error == ENOENT || error == ENOTDIR ? ErrorCode::FileNotFound
                             : error == EACCES || error == EPERM   ? ErrorCode::PermissionDenied
                                                                    : ErrorCode::PathFileAccess;
        fail(code, path, QStringLiteral("non si può aprire (%1)").arg(systemReason(error)));
    }
    struct stat info{};
    if (::fstat(fd.get(), &info) != 0)
        fail(ErrorCode::PathFileAccess, path, systemReason(errno));
    if (!S_ISREG(info.st_mode))
        fail(ErrorCode::PathFileAccess, path, QStringLiteral("non è un file normale"));
    if (info.st_size > MaxBytes)
        fail(ErrorCode::PathFileAccess, path,
             QStringLiteral("è troppo grande (%1 byte, al massimo %2)").arg(info.st_size).arg(MaxBytes));

    // The size may change under us: read at most one byte past the cap to tell.
    // The buffer starts at the size the file has now, not at the cap: a freed
    // block of megabytes would raise the allocator's mmap threshold for good,
    // and the speech thread's audio would then stay in its heap once freed.
    QByteArray bytes(static_cast<qsizetype>(info.st_size + 1), Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > MaxBytes)
                break;
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, MaxBytes + 1));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(ErrorCode::PathFileAccess, path, QStringLiteral("errore di lettura (%1)").arg(systemReason(errno)));
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > MaxBytes)
        fail(ErrorCode::PathFileAccess, path, QStringLiteral("è troppo grande (oltre %1 byte)").arg(MaxBytes));
    bytes.truncate(filled);
    if (bytes.isEmpty())
        fail(ErrorCode::PathFileAccess, path, QStringLiteral("è vuoto"));
    return bytes;
}

CharacterData CharacterFile::parse(const QByteArray &bytes, const QString &path, const QStringList &required)
{
    CharacterData data = CharacterParser(path, required).parse(bytes);
    data.file = path;
    return data;
}

} // namespace vortana
