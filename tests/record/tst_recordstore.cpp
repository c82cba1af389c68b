#include "RecordFiles.h"

#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

constexpr qsizetype Cap = 64 * 1024;
enum class Operation { Read, Append, Store, Lock };

// The error number the operation raised (0: none) and its text.
std::pair<int, QString> perform(Operation operation, const RecordStore &store, const QString &path)
{
    const QString dir = store.GetSystemDir();
    try {
        switch (operation) {
        case Operation::Read: store.Leggifiletxt(path); break;
        case Operation::Append: store.appendAndClose(path); break;
        case Operation::Store:
            store.replacePair(dir + QStringLiteral("aquizrec6.txt"), QStringLiteral("13"), dir + QStringLiteral("nquizrec6.txt"), QStringLiteral("Mario"));
            break;
        case Operation::Lock: RecordStore::PairLock{store, StoreLockWait}; break;
        }
    } catch (const RuntimeError &e) {
        return {e.number(), e.detail()};
    }
    return {0, {}};
}

// Besides the lock that a store makes.
QStringList entriesIn(const QString &directory)
{
    QStringList entries = QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.removeAll(QStringLiteral(".lock"));
    return entries;
}

struct Planted
{
    QString file;
    Entry entry;
    Operation operation;
    int error;
    QString reason;
};

} // namespace

Q_DECLARE_METATYPE(Planted)

class TestRecordStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temporary;

private Q_SLOTS:
    // Whatever the writer's umask and group (root's own, here), files made at
    // start-up or by a store are the directory's group's and 0664, the lock 0660.
    void createsMissingFilesAndDirectory()
    {
        // As on a machine without /var/games: the folder above is missing too.
        const QString directory = m_temporary.filePath(QStringLiteral("games/vortana"));
        const RecordStore store(directory + QStringLiteral("//"));
        QCOMPARE(store.GetSystemDir(), directory + u'/');
        const mode_t mask = ::umask(077);
        const auto shared = [&directory](const QString &name, mode_t mode) {
            return modeOf(directory + name) == mode && QFileInfo(directory + name).groupId() == QFileInfo(directory).groupId();
        };
        for (const char *name : {"aquizrec6.txt", "nquizrec6.txt"}) {
            // The caller appends "/name" to a directory that already ends in '/'.
            const QString path = store.GetSystemDir() + u'/' + QLatin1String(name);
            store.appendAndClose(path);
            QCOMPARE(entryState(path), QByteArray());
            QVERIFY(::geteuid() != 0 || ::chown(QFile::encodeName(directory).constData(), uid_t(-1), 65534) == 0);
        }
        const QString score = QStringLiteral("/aquizrec6.txt"), name = QStringLiteral("/nquizrec6.txt");
        QVERIFY(shared(name, 0664));
        store.replacePair(directory + score, QStringLiteral("5"), directory + name, QStringLiteral("Eva"));
        ::umask(mask);
        QVERIFY(shared(score, 0664) && shared(name, 0664) && shared(QStringLiteral("/.lock"), 0660));
        QCOMPARE(modeOf(directory), 0775 & ~077);
        QCOMPARE(modeOf(m_temporary.filePath(QStringLiteral("games"))), 0755 & ~077);
    }

    // What the fuzzer's oracle cannot know: which character each Windows-1252
    // byte is, and that a huge file is read only up to the cap.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size"); // larger than the bytes: the rest are NULs
        QTest::addColumn<QString>("text");

        const auto row = [](const char *tag, const QByteArray &bytes, const QString &text, qint64 size = -1) {
            QTest::newRow(tag) << bytes << size << text;
        };
        // The five bytes Windows-1252 leaves undefined keep their C1 code point.
        row("Windows-1252 signs", "\x80\x93\x94\x9c\x8a\x9f\x81\x8d\x8f\x90\x9d",
            QString::fromUtf16(u"€“”œŠŸ\u0081\u008d\u008f\u0090\u009d"));
        row("1 GiB sparse", "12\r\n", QStringLiteral("12\r\n") + QString(Cap - 4, QChar::Null), qint64(1) << 30);
    }

    // Start-up opens the file for appending, then shows what it holds.
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, text);
        const RecordStore store(m_temporary.path());
        const QString path = m_temporary.filePath(QStringLiteral("nquizrec6.txt"));
        QVERIFY(writeBytes(path, bytes, size));
        store.appendAndClose(path);
        QCOMPARE(store.Leggifiletxt(path), text);
    }

    void entryUnderARecordName_data()
    {
        QTest::addColumn<Planted>("planted");
        const QString a = QStringLiteral("aquizrec6.txt");
        const int refused = int(ErrorCode::PathFileAccess);
        const int denied = int(ErrorCode::PermissionDenied);
        const std::tuple<const char *, Entry, QString> entries[] = {
            {"symbolic link", Entry::Symlink, QStringLiteral("è un collegamento simbolico, non un file")},
            {"FIFO", Entry::Fifo, QStringLiteral("è una FIFO, non un file")},
            {"directory", Entry::Directory, QStringLiteral("è una cartella, non un file")},
            {"unreadable file", Entry::Unreadable, QString()}};
        for (const auto &[what, entry, reason] : entries) {
            const int opening = entry == Entry::Unreadable ? denied : refused;
            // Renaming over the name replaces the entry itself and never follows it.
            const int replacing = entry == Entry::Directory ? refused : 0;
            const QByteArray tag = QByteArray(what) + ", ";
            QTest::newRow(tag + "read") << Planted{a, entry, Operation::Read, opening, reason};
            QTest::newRow(tag + "append") << Planted{a, entry, Operation::Append, opening, reason};
            QTest::newRow(tag + "pair stored") << Planted{a, entry, Operation::Store, replacing, reason};
        }
        QTest::newRow("directory under the name file, pair stored")
            << Planted{QStringLiteral("nquizrec6.txt"), Entry::Directory, Operation::Store, refused, QStringLiteral("cartella")};
    }

    // Refused with the path and the reason, or replaced; a link's target, and
    // a pair that cannot be replaced whole, are left alone.
    void entryUnderARecordName()
    {
        QFETCH(Planted, planted);
        if (planted.entry == Entry::Unreadable && planted.error != 0 && ::geteuid() == 0)
            QSKIP("root opens any file; the test runs again as an ordinary user");
        QTemporaryDir temporary;
        const RecordStore store(temporary.path());
        const QString path = store.GetSystemDir() + planted.file;
        const QString secret = temporary.filePath(QStringLiteral("segreto.txt"));
        const QString score = store.GetSystemDir() + QStringLiteral("aquizrec6.txt");
        const QString name = store.GetSystemDir() + QStringLiteral("nquizrec6.txt");
        QVERIFY(writeBytes(secret, "segreto\r\n") && writeBytes(score, "12\r\n") && writeBytes(name, "Anna\r\n"));
        QVERIFY(plant(planted.entry, path, secret));
        const QByteArray before = entryState(score) + entryState(name);

        ::alarm(HangLimitSeconds);
        const auto [raised, detail] = perform(planted.operation, store, path);
        ::alarm(0);
        QCOMPARE(raised, planted.error);
        QVERIFY2(!raised || (detail.contains(u'«' + path + u'»') && detail.contains(planted.reason)), qPrintable(detail));
        QCOMPARE(entryState(secret), QByteArray("segreto\r\n"));
        QCOMPARE(entryState(score) + entryState(name), planted.error ? before : QByteArray("13\r\nMario\r\n"));
        QCOMPARE(entriesIn(temporary.path()).size(), 3);
    }

    void refusesBadPaths()
    {
        QTemporaryDir temporary;
        // Nothing is made over or under a file where the directory should be.
        QVERIFY(writeBytes(temporary.filePath(QStringLiteral("plain")), "12\r\n"));
        for (const auto &[directory, operation] : {std::pair{"plain/vortana", Operation::Append},
                                                   {"plain/vortana", Operation::Store}, {"plain", Operation::Lock}}) {
            const RecordStore inside(temporary.filePath(QLatin1String(directory)));
            const auto [raised, detail] = perform(operation, inside, inside.GetSystemDir() + QStringLiteral("nquizrec6.txt"));
            QCOMPARE(raised, int(ErrorCode::PathFileAccess));
            QVERIFY2(detail.contains(QStringLiteral("cartella «%1»").arg(temporary.filePath(QLatin1String(directory)))),
                     qPrintable(detail));
        }
        QCOMPARE(entriesIn(temporary.path()), QStringList{QStringLiteral("plain")});
    }
};

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
