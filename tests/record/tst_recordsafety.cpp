#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using vortana::ErrorCode;
using vortana::RecordStore;
using vortana::RuntimeError;

namespace {

enum Entry { Missing, Symlink, Fifo, Directory, Unreadable };
enum Operation { Read, Append, Write, Lock };

// A FIFO that blocked would hang the test run: end it quickly instead.
constexpr unsigned HangLimitSeconds = 20;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void plant(int entry, const QString &path, const QString &linkTarget)
{
    const QByteArray native = QFile::encodeName(path);
    switch (entry) {
    case Symlink: QCOMPARE(::symlink(QFile::encodeName(linkTarget).constData(), native.constData()), 0); break;
    case Fifo: QCOMPARE(::mkfifo(native.constData(), 0644), 0); break;
    case Directory: QCOMPARE(::mkdir(native.constData(), 0755), 0); break;
    case Unreadable:
        writeBytes(path, "12\r\n");
        QCOMPARE(::chmod(native.constData(), 0), 0);
        break;
    default: break;
    }
}

// The error number raised by the operation, 0 when it succeeded.
int perform(int operation, const RecordStore &store, const QString &path, QString &detail)
{
    try {
        switch (operation) {
        case Read: store.Leggifiletxt(path); break;
        case Append: store.appendAndClose(path); break;
        case Write: store.writeLine(path, QStringLiteral("nuovo")); break;
        case Lock: {
            const RecordStore::PairLock lock(store);
            break;
        }
        }
    } catch (const RuntimeError &e) {
        detail = e.detail();
        return e.number();
    }
    return 0;
}

} // namespace

class TestRecordSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unsafeEntries_data();
    void unsafeEntries();
    void directoryNotCreated_data();
    void directoryNotCreated();
    void nulInPathRefused();
};

void TestRecordSafety::unsafeEntries_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("error");

    constexpr int refused = int(ErrorCode::PathFileAccess);
    constexpr int denied = int(ErrorCode::PermissionDenied);
    QTest::newRow("read missing") << int(Missing) << int(Read) << int(ErrorCode::FileNotFound);
    QTest::newRow("read symlink") << int(Symlink) << int(Read) << refused;
    QTest::newRow("read FIFO") << int(Fifo) << int(Read) << refused;
    QTest::newRow("read directory") << int(Directory) << int(Read) << refused;
    QTest::newRow("read unreadable") << int(Unreadable) << int(Read) << denied;
    QTest::newRow("append symlink") << int(Symlink) << int(Append) << refused;
    QTest::newRow("append FIFO") << int(Fifo) << int(Append) << refused;
    QTest::newRow("append directory") << int(Directory) << int(Append) << refused;
    QTest::newRow("append unwritable") << int(Unreadable) << int(Append) << denied;
    // Renaming over the name replaces the entry itself and never follows it.
    QTest::newRow("write missing") << int(Missing) << int(Write) << 0;
    QTest::newRow("write symlink") << int(Symlink) << int(Write) << 0;
    QTest::newRow("write FIFO") << int(Fifo) << int(Write) << 0;
    QTest::newRow("write unreadable") << int(Unreadable) << int(Write) << 0;
    QTest::newRow("write directory") << int(Directory) << int(Write) << refused;
}

void TestRecordSafety::unsafeEntries()
{
    QFETCH(int, entry);
    QFETCH(int, operation);
    QFETCH(int, error);
    if (entry == Unreadable && operation != Write && ::geteuid() == 0)
        QSKIP("running as root: chmod does not stop root from opening the file");

    QTemporaryDir temporary;
    const RecordStore store(temporary.path());
    const QString secret = temporary.filePath(QStringLiteral("segreto.txt"));
    const QString path = store.GetSystemDir() + QStringLiteral("/aquizrec6.txt");
    writeBytes(secret, "segreto\r\n");
    plant(entry, path, secret);

    QString detail;
    ::alarm(HangLimitSeconds);
    const int raised = perform(operation, store, path, detail);
    ::alarm(0);
    QCOMPARE(raised, error);
    if (error != 0)
        QVERIFY2(detail.contains(u'«' + path + u'»'), qPrintable(detail));
    if (operation == Write && error == 0) {
        QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
        QCOMPARE(readBytes(path), QByteArray("nuovo\r\n"));
    }
    QCOMPARE(readBytes(secret), QByteArray("segreto\r\n"));
    QStringList left{QStringLiteral("aquizrec6.txt"), QStringLiteral("segreto.txt")};
    if (entry == Missing && operation == Read)
        left.removeFirst();
    QCOMPARE(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), left);
}

void TestRecordSafety::directoryNotCreated_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("error");

    constexpr int refused = int(ErrorCode::PathFileAccess);
    QTest::newRow("append under a file") << "plain/vortana" << int(Append) << refused;
    QTest::newRow("write under a file") << "plain/vortana" << int(Write) << refused;
    QTest::newRow("lock under a file") << "plain/vortana" << int(Lock) << refused;
    QTest::newRow("append over a file") << "plain" << int(Append) << refused;
    QTest::newRow("lock over a file") << "plain" << int(Lock) << refused;
}

void TestRecordSafety::directoryNotCreated()
{
    QFETCH(QString, directory);
    QFETCH(int, operation);
    QFETCH(int, error);
    QTemporaryDir temporary;
    writeBytes(temporary.filePath(QStringLiteral("plain")), "12\r\n");
    const QString full = temporary.filePath(directory);
    const RecordStore store(full);

    QString detail;
    QCOMPARE(perform(operation, store, store.GetSystemDir() + QStringLiteral("/nquizrec6.txt"), detail), error);
    QVERIFY2(detail.contains(QStringLiteral("cartella «%1»").arg(full)), qPrintable(detail));
    QCOMPARE(readBytes(temporary.filePath(QStringLiteral("plain"))), QByteArray("12\r\n"));
}

void TestRecordSafety::nulInPathRefused()
{
    QTemporaryDir temporary;
    const RecordStore store(temporary.path());
    const QString path = temporary.filePath(QStringLiteral("aquizrec6.txt")) + QChar::Null + u'x';
    for (const int operation : {Read, Append, Write}) {
        QString detail;
        QCOMPARE(perform(operation, store, path, detail), int(ErrorCode::InvalidCall));
    }
    QVERIFY(QDir(temporary.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

QTEST_GUILESS_MAIN(TestRecordSafety)
#include "tst_recordsafety.moc"
