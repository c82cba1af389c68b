#include "HelperRecords.h"
#include "HelperRun.h"

#include <QTemporaryDir>

#include <unistd.h>

using namespace vortana::test;

namespace {

constexpr int InvalidCall = 5;
constexpr int PathFileAccess = 75;

QStringList entries()
{
    return QDir(Records).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestRecordHelper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refusesEverythingElse_data();
    void refusesEverythingElse();
    void storesThePair_data();
    void storesThePair();
    void createLeavesARecordAlone();
    void ignoresItsEnvironment();
    void groupKeepsWriteWhateverTheUmask();
    void reportsFailuresWithTheirNumber_data();
    void reportsFailuresWithTheirNumber();
};

void TestRecordHelper::init()
{
    standingRecord();
}

void TestRecordHelper::refusesEverythingElse_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QByteArray>("reason");

    using Args = QList<QByteArray>;
    const auto store = [](const QByteArray &score, const QByteArray &name) { return Args{"store", score, name}; };
    QTest::newRow("nothing") << Args{} << QByteArray("Uso:");
    QTest::newRow("unknown command") << Args{"delete"} << QByteArray("Uso:");
    QTest::newRow("command in capitals") << Args{"CREATE"} << QByteArray("Uso:");
    QTest::newRow("an option") << Args{"--help"} << QByteArray("Uso:");
    QTest::newRow("create with a path") << Args{"create", "/etc/passwd"} << QByteArray("Uso:");
    QTest::newRow("store without name") << Args{"store", "12"} << QByteArray("Uso:");
    QTest::newRow("store with more") << Args{"store", "12", "Eva", "x"} << QByteArray("Uso:");
    QTest::newRow("empty score") << store("", "Eva") << QByteArray("Punteggio");
    QTest::newRow("six digits") << store("123456", "Eva") << QByteArray("Punteggio");
    QTest::newRow("above a 16-bit count") << store("32768", "Eva") << QByteArray("Punteggio");
    QTest::newRow("leading zero") << store("012", "Eva") << QByteArray("Punteggio");
    QTest::newRow("sign") << store("-1", "Eva") << QByteArray("Punteggio");
    QTest::newRow("plus") << store("+1", "Eva") << QByteArray("Punteggio");
    QTest::newRow("blank before") << store(" 1", "Eva") << QByteArray("Punteggio");
    QTest::newRow("line break after") << store("1\n", "Eva") << QByteArray("Punteggio");
    QTest::newRow("exponent") << store("1e3", "Eva") << QByteArray("Punteggio");
    QTest::newRow("other digits") << store("\xd9\xa1\xd9\xa2", "Eva") << QByteArray("Punteggio");
    QTest::newRow("empty name") << store("1", "") << QByteArray("Nome");
    QTest::newRow("251 letters") << store("1", QByteArray(251, 'a')) << QByteArray("Nome");
    QTest::newRow("251 accented letters") << store("1", QByteArray("\xc3\xa8").repeated(251)) << QByteArray("Nome");
    QTest::newRow("not UTF-8") << store("1", "Eva\xff") << QByteArray("UTF-8");
    QTest::newRow("cut sequence") << store("1", "Eva\xc3") << QByteArray("UTF-8");
    QTest::newRow("overlong slash") << store("1", "\xc0\xaf") << QByteArray("UTF-8");
    QTest::newRow("surrogate") << store("1", "\xed\xa0\x80") << QByteArray("UTF-8");
    QTest::newRow("tab") << store("1", "Eva\tMaria") << QByteArray("controllo");
    QTest::newRow("line feed") << store("1", "Eva\n2") << QByteArray("controllo");
    QTest::newRow("carriage return") << store("1", "Eva\r") << QByteArray("controllo");
    QTest::newRow("escape sequence") << store("1", "\x1b[31mEva") << QByteArray("controllo");
    QTest::newRow("delete") << store("1", "Eva\x7f") << QByteArray("controllo");
    QTest::newRow("C1 next line") << store("1", "Eva\xc2\x85") << QByteArray("controllo");
    QTest::newRow("line separator") << store("1", "Eva\xe2\x80\xa8") << QByteArray("controllo");
}

void TestRecordHelper::refusesEverythingElse()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QByteArray, reason);

    const HelperOutcome outcome = runHelper(Helper, arguments);
    QCOMPARE(outcome.status, InvalidCall);
    QVERIFY2(outcome.error.contains(reason), outcome.error.constData());
    QCOMPARE(entries(), QStringList({QStringLiteral("aquizrec6.txt"), QStringLiteral("nquizrec6.txt")}));
    QCOMPARE(readAll(ScoreFile), OldScore);
    QCOMPARE(readAll(NameFile), OldName);
}

void TestRecordHelper::storesThePair_data()
{
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("first record") << QByteArray("1") << QByteArray("Eva");
    QTest::newRow("zero") << QByteArray("0") << QByteArray("Amico");
    QTest::newRow("highest score, longest name") << QByteArray("32767") << QByteArray("\xc3\xa8").repeated(250);
    QTest::newRow("other scripts") << QByteArray("3") << QStringLiteral("Ζωή 🦉").toUtf8();
    QTest::newRow("blanks kept") << QByteArray("4") << QByteArray("  Eva  Maria ");
    QTest::newRow("markup is text") << QByteArray("5") << QByteArray("<b>Eva</b>");
    QTest::newRow("a path is text") << QByteArray("6") << QByteArray("../../etc/passwd");
    QTest::newRow("like an option") << QByteArray("7") << QByteArray("--help");
    QTest::newRow("byte-order mark kept") << QByteArray("8") << QByteArray("\xef\xbb\xbf" "Eva");
}

void TestRecordHelper::storesThePair()
{
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, name);

    const HelperOutcome outcome = runHelper(Helper, {"store", score, name});
    QVERIFY2(outcome.status == 0, outcome.error.constData());
    QCOMPARE(readAll(ScoreFile), score + "\r\n");
    QCOMPARE(readAll(NameFile), name + "\r\n");
    QCOMPARE(entries().size(), 2);
}

void TestRecordHelper::createLeavesARecordAlone()
{
    QVERIFY(QFile::remove(NameFile));
    QCOMPARE(runHelper(Helper, {"create"}).status, 0);
    QCOMPARE(readAll(ScoreFile), OldScore);
    QCOMPARE(readAll(NameFile), QByteArray());

    QVERIFY(QDir(Records).removeRecursively());
    QCOMPARE(runHelper(Helper, {"create"}).status, 0);
    QCOMPARE(readAll(ScoreFile), QByteArray());
    QCOMPARE(readAll(NameFile), QByteArray());
}

void TestRecordHelper::ignoresItsEnvironment()
{
    QTemporaryDir elsewhere;
    const QByteArray path = QFile::encodeName(elsewhere.path());
    const HelperOutcome outcome =
        runHelper(Helper, {"store", "9", "Eva"}, {"VORTANA_RECORD_DIR=" + path, "TMPDIR=" + path, "HOME=" + path});
    QCOMPARE(outcome.status, 0);
    QCOMPARE(readAll(ScoreFile), QByteArray("9\r\n"));
    QVERIFY(QDir(elsewhere.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestRecordHelper::groupKeepsWriteWhateverTheUmask()
{
    QVERIFY(QDir(Records).removeRecursively());
    const mode_t before = ::umask(077);
    const int created = runHelper(Helper, {"create"}).status;
    const int stored = runHelper(Helper, {"store", "2", "Eva"}).status;
    ::umask(before);
    QCOMPARE(created, 0);
    QCOMPARE(stored, 0);
    QCOMPARE(permissions(Records), mode_t(0775));
    QCOMPARE(permissions(ScoreFile), mode_t(0664));
    QCOMPARE(permissions(NameFile), mode_t(0664));
}

void TestRecordHelper::reportsFailuresWithTheirNumber_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reason");

    QTest::newRow("a directory as the score file") << ScoreFile << QByteArray("store") << QByteArray("cartella");
    QTest::newRow("a FIFO as the name file") << NameFile << QByteArray("create") << QByteArray("FIFO");
}

void TestRecordHelper::reportsFailuresWithTheirNumber()
{
    QFETCH(QString, blocked);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reason);

    QVERIFY(QFile::remove(blocked));
    const QByteArray path = QFile::encodeName(blocked);
    QVERIFY(command == "store" ? ::mkdir(path.constData(), 0755) == 0 : ::mkfifo(path.constData(), 0644) == 0);
    const HelperOutcome outcome = runHelper(Helper, command == "store" ? QList<QByteArray>{command, "8", "Eva"}
                                                                       : QList<QByteArray>{command});
    QCOMPARE(outcome.status, PathFileAccess);
    QVERIFY2(outcome.error.contains(path) && outcome.error.contains(reason), outcome.error.constData());
}

QTEST_GUILESS_MAIN(TestRecordHelper)
#include "tst_recordhelper.moc"
