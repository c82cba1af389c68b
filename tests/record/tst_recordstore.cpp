#include "record/RecordStore.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using vortana::RecordStore;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes, qint64 size = -1)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    if (size >= 0)
        QVERIFY(file.resize(size));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecordStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsMissingFilesAndDirectory();
    void readsWholeContent_data();
    void readsWholeContent();
    void readsAtMost64KiB_data();
    void readsAtMost64KiB();
    void writeLeavesOneLine_data();
    void writeLeavesOneLine();

private:
    QTemporaryDir m_temporary;
};

void TestRecordStore::createsMissingFilesAndDirectory()
{
    // As on a machine without /var/games: the folder above is missing too.
    const QString directory = m_temporary.filePath(QStringLiteral("games/vortana"));
    const RecordStore store(directory + QStringLiteral("//"));
    QCOMPARE(store.GetSystemDir(), directory + u'/');
    for (const char *name : {"aquizrec6.txt", "nquizrec6.txt"}) {
        // The caller appends "/name" to a directory that already ends in '/'.
        const QString path = store.GetSystemDir() + u'/' + QLatin1String(name);
        store.appendAndClose(path);
        const QFileInfo info(path);
        QVERIFY(info.isFile());
        QCOMPARE(info.size(), qint64(0));
        QCOMPARE(store.Leggifiletxt(path), QString());
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(QFileInfo(directory).isDir(), true);
    const auto modeOf = [](const QString &path) {
        struct stat entry {};
        return ::stat(QFile::encodeName(path).constData(), &entry) == 0 ? entry.st_mode & 07777 : 0u;
    };
    QCOMPARE(modeOf(directory), 0775u & ~mask);
    QCOMPARE(modeOf(m_temporary.filePath(QStringLiteral("games"))), 0755u & ~mask);
}

void TestRecordStore::readsWholeContent_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString name = QStringLiteral("Anna Maria D'Oria-3 (2ª)! <b>&amp;");
    const QString emoji = QStringLiteral("Zoë 😀 李");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("score") << QByteArray("12\r\n") << QStringLiteral("12\r\n");
    QTest::newRow("no line break") << QByteArray("12") << QStringLiteral("12");
    QTest::newRow("two lines") << QByteArray("12\r\n13\r\n") << QStringLiteral("12\r\n13\r\n");
    QTest::newRow("NUL byte") << QByteArray("1\0" "2", 3) << QStringLiteral("1") + QChar::Null + u'2';
    QTest::newRow("blanks and signs") << (name + QStringLiteral("\r\n")).toUtf8() << name + QStringLiteral("\r\n");
    QTest::newRow("UTF-8 and emoji") << (emoji + QStringLiteral("\r\n")).toUtf8() << emoji + QStringLiteral("\r\n");
    QTest::newRow("Windows-1252 letter") << QByteArray("Jos\xe9\r\n") << QStringLiteral("José\r\n");
    QTest::newRow("Windows-1252 signs") << QByteArray("\x80 \x93" "ciao\x94 \x9c\x8a\x9f")
                                        << QStringLiteral("€ “ciao” œŠŸ");
    QTest::newRow("Windows-1252 undefined") << QByteArray("\x81\x8d\x8f\x90\x9d")
                                            << QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d");
    QTest::newRow("overlong UTF-8") << QByteArray("\xc0\xaf") << QStringLiteral("À¯");
}

void TestRecordStore::readsWholeContent()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const RecordStore store(m_temporary.path());
    const QString path = m_temporary.filePath(QStringLiteral("nquizrec6.txt"));
    writeBytes(path, bytes);
    store.appendAndClose(path);
    QCOMPARE(readBytes(path), bytes);
    QCOMPARE(store.Leggifiletxt(path), text);
}

void TestRecordStore::readsAtMost64KiB_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("text");

    constexpr qsizetype cap = 64 * 1024;
    QTest::newRow("exactly 64 KiB") << QByteArray(cap, 'a') << qint64(cap) << QString(cap, u'a');
    QTest::newRow("one byte more") << QByteArray(cap + 1, 'a') << qint64(cap + 1) << QString(cap, u'a');
    QTest::newRow("1 GiB sparse") << QByteArray("12\r\n") << (qint64(1) << 30)
                                  << QStringLiteral("12\r\n") + QString(cap - 4, QChar::Null);
    QTest::newRow("UTF-8 split by the cap") << QByteArray(cap - 1, 'a') + "\xc3\xa9" "b" << qint64(cap + 2)
                                            << QString(cap - 1, u'a');
    QTest::newRow("Windows-1252 past the cap") << "\xe9" + QByteArray(cap + 9, 'a') << qint64(cap + 10)
                                               << u'é' + QString(cap - 1, u'a');
}

void TestRecordStore::readsAtMost64KiB()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, size);
    QFETCH(QString, text);
    const RecordStore store(m_temporary.path());
    const QString path = m_temporary.filePath(QStringLiteral("aquizrec6.txt"));
    writeBytes(path, head, size);
    QCOMPARE(store.Leggifiletxt(path), text);
}

void TestRecordStore::writeLeavesOneLine_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QByteArray>("previous");
    QTest::addColumn<QString>("line");

    QTest::newRow("score over a longer record") << true << QByteArray("123456789\r\nresto\r\n") << "12";
    QTest::newRow("name with blanks") << true << QByteArray() << "Anna Maria D'Oria-3";
    QTest::newRow("emoji over Windows-1252") << true << QByteArray("Jos\xe9\r\n") << "Zoë 😀 李";
    QTest::newRow("empty text") << true << QByteArray("42\r\n") << "";
    QTest::newRow("missing file") << false << QByteArray() << "Amico";
}

void TestRecordStore::writeLeavesOneLine()
{
    QFETCH(bool, existing);
    QFETCH(QByteArray, previous);
    QFETCH(QString, line);
    QTemporaryDir temporary;
    const RecordStore store(temporary.path());
    const QString path = store.GetSystemDir() + QStringLiteral("/nquizrec6.txt");
    if (existing)
        writeBytes(path, previous);
    store.writeLine(path, line);
    QCOMPARE(readBytes(path), line.toUtf8() + "\r\n");
    QCOMPARE(store.Leggifiletxt(path), line + QStringLiteral("\r\n"));
    const QStringList entries = QDir(temporary.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(entries, QStringList{QStringLiteral("nquizrec6.txt")});
}

QTEST_GUILESS_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
