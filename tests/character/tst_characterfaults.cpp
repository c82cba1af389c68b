#include "CharacterGame.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vortana;
using namespace vortana::test;

namespace {

enum class Kind { Content, Missing, Directory, Fifo, Huge, Unreadable };

QByteArray merlinWith(const QString &key, const QJsonValue &value, const QString &inner = {})
{
    QJsonObject root = QJsonDocument::fromJson(CharacterGame::merlin()).object();
    if (inner.isEmpty()) {
        root[key] = value;
    } else {
        QJsonObject object = root.value(inner).toObject();
        value.isUndefined() ? void(object.remove(key)) : void(object[key] = value);
        root[inner] = object;
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

// The character file missing or broken: the error box names the file and the
// fault, the program ends with status 1, and the record is left as it was.
class TestCharacterFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUpEnds_data();
    void startUpEnds();
};

void TestCharacterFaults::startUpEnds_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    const QByteArray merlin = CharacterGame::merlin();
    QTest::newRow("missing") << Kind::Missing << QByteArray() << "non si può aprire";
    QTest::newRow("a directory") << Kind::Directory << QByteArray() << "non è un file normale";
    QTest::newRow("a FIFO") << Kind::Fifo << QByteArray() << "non è un file normale";
    QTest::newRow("unreadable") << Kind::Unreadable << merlin << "non si può aprire";
    QTest::newRow("1 GiB") << Kind::Huge << QByteArray() << "troppo grande";
    QTest::newRow("empty") << Kind::Content << QByteArray() << "è vuoto";
    QTest::newRow("cut in half") << Kind::Content << merlin.left(merlin.size() / 2) << "troncato";
    QTest::newRow("not JSON") << Kind::Content << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "JSON non valido";
    QTest::newRow("art reaching outside")
        << Kind::Content
        << merlinWith(QStringLiteral("art"), QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg'><image href='file:///etc/passwd'/></svg>"))
        << "<image>";
    QByteArray wide = CharacterGame::merlin();
    wide.replace("viewBox=\\\"0 0 200 240\\\"", "viewBox=\\\"0 0 96000 240\\\"");
    QVERIFY(wide.contains("0 0 96000 240"));
    QTest::newRow("art whose every frame takes 67 MB") << Kind::Content << wide << "troppo largo";
    QTest::newRow("no introduction animation")
        << Kind::Content << merlinWith(QStringLiteral("Announce"), QJsonValue::Undefined, QStringLiteral("animations"))
        << "Announce";
    QTest::newRow("a voice the engine does not have")
        << Kind::Content << merlinWith(QStringLiteral("voice"), QStringLiteral("zz"), QStringLiteral("voice"))
        << "zz";
}

void TestCharacterFaults::startUpEnds()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    if (kind == Kind::Unreadable && ::geteuid() == 0)
        QSKIP("root opens any file; the same test runs again as an ordinary user");

    QTemporaryDir characters;
    const QString file = characters.filePath(QStringLiteral("Merlin.vchar"));
    const QByteArray native = QFile::encodeName(file);
    switch (kind) {
    case Kind::Missing: break;
    case Kind::Directory: QVERIFY(QDir().mkpath(file)); break;
    case Kind::Fifo: QCOMPARE(::mkfifo(native.constData(), 0600), 0); break;
    case Kind::Huge:
    case Kind::Content:
    case Kind::Unreadable: {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        QVERIFY(kind != Kind::Huge || out.resize(qint64(1) << 30));
        out.close();
        QVERIFY(kind != Kind::Unreadable || ::chmod(native.constData(), 0) == 0);
        break;
    }
    }

    CharacterGame game(file);
    ::alarm(20);
    QVERIFY(!game.window.load());
    ::alarm(0);
    QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
    const QString box = game.boxes.shown.last();
    QVERIFY2(box.startsWith(QStringLiteral("Errore di run-time")), qPrintable(box));
    QVERIFY2(kind == Kind::Content && reason == QLatin1String("Announce") ? true : box.contains(file), qPrintable(box));
    QVERIFY2(box.contains(reason), qPrintable(box));
    QCOMPARE(game.read(QStringLiteral("aquizrec6.txt")), QByteArray("12\r\n"));
    QCOMPARE(game.read(QStringLiteral("nquizrec6.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(QDir(game.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);
}

QTEST_MAIN(TestCharacterFaults)
#include "tst_characterfaults.moc"
