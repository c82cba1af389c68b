#include "RecordFiles.h"

#include "character/file/CharacterFile.h"
#include "runtime/RuntimeError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace vortana;

namespace {

enum class Kind { Content, Missing, Fifo, Huge, Unreadable };

// `at` with the value at `path` ("animations/Greet/0") replaced; undefined removes it.
QJsonValue replaced(const QJsonValue &at, QStringList path, const QJsonValue &value)
{
    if (path.isEmpty())
        return value;
    const QString key = path.takeFirst();
    if (at.isArray()) {
        QJsonArray array = at.toArray();
        array[key.toInt()] = replaced(array[key.toInt()], path, value);
        return array;
    }
    QJsonObject object = at.toObject();
    const QJsonValue inner = replaced(object.value(key), path, value);
    inner.isUndefined() ? void(object.remove(key)) : void(object[key] = inner);
    return object;
}

QByteArray merlin(const QString &path = {}, const QJsonValue &value = {})
{
    QFile file(QStringLiteral(VORTANA_TEST_MERLIN));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (path.isEmpty())
        return bytes;
    return QJsonDocument(replaced(QJsonDocument::fromJson(bytes).object(), path.split(u'/'), value).toObject()).toJson();
}

QJsonObject frame(int ms, const QJsonArray &layers)
{
    return {{QStringLiteral("ms"), ms}, {QStringLiteral("layers"), layers}};
}

} // namespace

class TestCharacterFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsMerlin()
    {
        const CharacterData data = CharacterFile::load(QStringLiteral(VORTANA_TEST_MERLIN));
        QCOMPARE(data.name, QStringLiteral("Merlin"));
        QVERIFY(data.voice == (VoiceSettings{"it", 145, 38, 60, 100}));
        for (const char *name : {"Announce", "greet", "congratulate", "DOMAGIC1", "domagic2", "rest"}) {
            const Animation *animation = data.find(QLatin1String(name));
            QVERIFY2(animation, name);
            // Long enough to see, short enough not to hold the game up.
            QVERIFY(animation->length() >= std::chrono::milliseconds(300) && animation->length() <= std::chrono::milliseconds(3000));
        }
    }

    void refusesBadFiles_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("fault");

        const QByteArray good = merlin();
        const QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>");
        QByteArray wide = good;
        wide.replace("viewBox=\\\"0 0 200 264\\\"", "viewBox=\\\"0 0 96000 264\\\"");

        QTest::newRow("missing") << Kind::Missing << QByteArray() << "non si può aprire";
        QTest::newRow("a fifo") << Kind::Fifo << QByteArray() << "non è un file normale";
        QTest::newRow("1 GiB") << Kind::Huge << QByteArray() << "troppo grande";
        QTest::newRow("unreadable") << Kind::Unreadable << good << "non si può aprire";
        QTest::newRow("empty") << Kind::Content << QByteArray() << "è vuoto";
        QTest::newRow("truncated") << Kind::Content << good.left(good.size() / 2) << "troncato";
        QTest::newRow("an array") << Kind::Content << QByteArray("[1,2]") << "oggetto JSON";
        QTest::newRow("another format") << Kind::Content << merlin("format", "acs") << "non è un file di personaggio";
        QTest::newRow("future version") << Kind::Content << merlin("version", 2) << "version";
        QTest::newRow("zero height") << Kind::Content << merlin("height", 0) << "height";
        QTest::newRow("no art") << Kind::Content << merlin("art", QJsonValue::Undefined) << "art";
        QTest::newRow("art reaching out") << Kind::Content << merlin("art", svg + "<image href='file:///dev/zero'/></svg>") << "<image>";
        QTest::newRow("art with entities") << Kind::Content << merlin("art", "<!DOCTYPE svg [<!ENTITY a 'aaaa'>]>" + svg + "&a;</svg>") << "DTD";
        QTest::newRow("art without the layers") << Kind::Content << merlin("art", svg + "<g id='robe'/></svg>") << "nel disegno non c'è";
        QTest::newRow("art whose every frame takes 67 MB") << Kind::Content << wide << "troppo largo";
        // Those he plays himself: at rest, idle, appearing and gliding.
        for (const char *own : {"Rest", "Idle", "Appear", "Glide"})
            QTest::addRow("no %s", own) << Kind::Content << merlin(QStringLiteral("animations/") + own, QJsonValue::Undefined) << QStringLiteral("\"%1\"").arg(own);
        QTest::newRow("none to congratulate") << Kind::Content << merlin("animations/Congratulate", QJsonValue::Undefined) << "\"congratulate\"";
        QTest::newRow("names alike") << Kind::Content << merlin("animations/GREET", QJsonDocument::fromJson(good)["animations"]["Greet"]) << "due volte";
        QTest::newRow("frame of no time") << Kind::Content << merlin("animations/Greet/0", frame(0, {"robe"})) << "ms";
        QTest::newRow("frame without layers") << Kind::Content << merlin("animations/Greet/0", frame(100, {})) << "layers";
        QTest::newRow("layer of no name") << Kind::Content << merlin("animations/Greet/0", frame(100, {42})) << "layers[0]";
        QTest::newRow("voice too fast") << Kind::Content << merlin("voice/rate", 5000) << "rate";
        QTest::newRow("voice that is no name") << Kind::Content << merlin("voice/voice", "it; rm -rf") << "non è il nome di una voce";
        QTest::newRow("one mouth") << Kind::Content << merlin("mouths", QJsonArray{"mouth_rest"}) << "mouths";
    }

    void refusesBadFiles()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, fault);
        if (kind == Kind::Unreadable && ::geteuid() == 0)
            QSKIP("root reads every file; test_character_file_as_user runs this again");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Merlin.vchar"));
        // The huge file is sparse: it takes no room on disk.
        QVERIFY(kind == Kind::Missing || (kind == Kind::Fifo ? test::plant(test::Entry::Fifo, path, {})
                : kind == Kind::Unreadable ? test::plant(test::Entry::Unreadable, path, {})
                : test::writeBytes(path, content, kind == Kind::Huge ? qint64(1) << 30 : -1)));

        try {
            CharacterFile::load(path, {QStringLiteral("Greet"), QStringLiteral("congratulate")});
            QFAIL("the file was accepted");
        } catch (const RuntimeError &error) {
            const ErrorCode code = kind == Kind::Missing ? ErrorCode::FileNotFound
                                 : kind == Kind::Unreadable ? ErrorCode::PermissionDenied : ErrorCode::PathFileAccess;
            QCOMPARE(error.code(), code);
            QVERIFY2(error.detail().contains(path) && error.detail().contains(fault), qPrintable(error.detail()));
        }
    }
};

QTEST_MAIN(TestCharacterFile)
#include "tst_characterfile.moc"
