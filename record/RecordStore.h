#pragma once

#include <QString>

#include <chrono>

namespace vortana {

// How long a game waits for another one that holds the record (one ending at
// the same moment takes milliseconds; one stopped, or an account holding the
// lock on purpose, may take for ever). At start-up the pair is then read
// without the lock, each file being whole thanks to the rename; a new record
// is then not stored, and the player is told why.
inline constexpr std::chrono::milliseconds StartUpLockWait{2000};
inline constexpr std::chrono::milliseconds StoreLockWait{5000};

// Whether the store makes a missing record directory: the game run on its own
// directory does; the record helper leaves that to the installer.
enum class MissingDirectory { Create, Refuse };

// The per-machine directory that keeps the record files, and the few file
// operations the game performs on them. Every failure throws RuntimeError whose
// text names the path and the system's reason.
class RecordStore
{
public:
    // directory: the per-machine record directory, with or without a final '/'.
    explicit RecordStore(QString directory, MissingDirectory missing = MissingDirectory::Create);
    virtual ~RecordStore() = default;

    // The record directory followed by one '/'; the base of both record paths.
    QString GetSystemDir() const;

    // The next free file number (handles are closed right after each use).
    int FreeFile() const;

    // Opens the file for appending and closes it at once: a missing file (and a
    // missing record directory, unless refused) is created empty, an existing
    // one is untouched.
    virtual void appendAndClose(const QString &path) const;

    // The whole content of a text file, unchanged, line breaks included; UTF-8,
    // or Windows-1252 when the bytes are not valid UTF-8. At most 64 KiB is read.
    QString Leggifiletxt(const QString &nomefile) const;

    // Replaces the file with one line: the text, then CR LF, in UTF-8. The new
    // content is written beside the old file and renamed over it, so a crash
    // leaves the old content or the new one, never a torn file.
    void writeLine(const QString &path, const QString &line) const;

    // Replaces both record files under the PairLock, as one step: both new
    // files are made durable before either is renamed into place, so a failure
    // before the renames leaves the old pair whole, and the renames are made
    // durable before it returns. A lock held longer than StoreLockWait by
    // another game raises FileAlreadyOpen, the pair left as it was.
    virtual void replacePair(const QString &scorePath, const QString &scoreLine, const QString &namePath,
                             const QString &nameLine) const;

    // Held while both record files are replaced, so that two games ending at
    // once never leave the score of one with the name of the other.
    // Waits at most `patience` for the lock; held() says whether it came.
    class PairLock
    {
    public:
        PairLock(const RecordStore &store, std::chrono::milliseconds patience);
        ~PairLock();
        PairLock(const PairLock &) = delete;
        PairLock &operator=(const PairLock &) = delete;

        bool held() const { return m_fd >= 0; }

    private:
        int m_fd = -1;
    };

private:
    // Makes the directory when it is missing, or refuses to, as the store was told.
    void prepareDirectory(const QString &directory) const;

    QString m_directory;
    MissingDirectory m_missing;
};

} // namespace vortana
