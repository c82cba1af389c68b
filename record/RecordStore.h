#pragma once

#include "record/FileDescriptor.h"

#include <QString>

#include <chrono>

namespace vortana {

// How long a game waits for another one that holds the record (one ending at
// the same moment takes milliseconds; one stopped may take for ever). At
// start-up the pair is then read without the lock, each file being whole
// thanks to the rename; a new record is then not stored, and the player is
// told why.
inline constexpr std::chrono::milliseconds StartUpLockWait{2000};
inline constexpr std::chrono::milliseconds StoreLockWait{5000};

// Whether the store makes a missing record directory: the game run on its own
// directory does; the record helper leaves that to the installer.
// Refusing, it also leaves the lock file to the installer.
enum class MissingDirectory { Create, Refuse };

// The two record texts, as start-up shows them.
struct RecordPair
{
    QString score;
    QString name;
};

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
    // one is untouched. An existing file is opened only for reading, so one
    // that the player may not write does not stop the game.
    virtual void appendAndClose(const QString &path) const;

    // The whole content of a text file, unchanged, line breaks included; UTF-8,
    // or Windows-1252 when the bytes are not valid UTF-8. At most 64 KiB is read.
    QString Leggifiletxt(const QString &nomefile) const;

    // Both files with Leggifiletxt, under the PairLock, so that the score comes
    // with its own holder; a lock held longer than StartUpLockWait is not
    // waited for.
    virtual RecordPair readPair(const QString &scorePath, const QString &namePath) const;

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
    // once never leave the score of one with the name of the other. It is a
    // lock on LockFileName in the directory, which only the game's own group
    // may open. Waits at most `patience` for it; held() says whether it came.
    class PairLock
    {
    public:
        PairLock(const RecordStore &store, std::chrono::milliseconds patience);

        bool held() const { return m_lock.isOpen(); }

    private:
        FileDescriptor m_lock;
    };

private:
    // Makes the directory when it is missing, or refuses to, as the store was told.
    void prepareDirectory(const QString &directory) const;

    QString m_directory;
    MissingDirectory m_missing;
};

} // namespace vortana
