#include "character/file/CharacterFile.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vortana;

namespace {

enum class Kind { Content, Missing, Directory, Fifo, Huge, Unreadable };

QByteArray merlinBytes()
{
    QFile file(qEnvironmentVariable("VORTANA_TEST_SOURCE_DIR") + QStringLiteral("/assets/chars/Merlin.vchar"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject merlin()
{
    return QJsonDocument::fromJson(merlinBytes()).object();
}

QByteArray bytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QByteArray withArt(const QString &svg)
{
    QJsonObject root = merlin();
    root[QStringLiteral("art")] = svg;
    return bytes(root);
}

QByteArray changed(const QString &key, const QJsonValue &value)
{
    QJsonObject root = merlin();
    root[key] = value;
    return bytes(root);
}

QByteArray changedIn(const QString &outer, const QString &key, const QJsonValue &value)
{
    QJsonObject root = merlin();
    QJsonObject inner = root.value(outer).toObject();
    if (value.isUndefined())
        inner.remove(key);
    else
        inner[key] = value;
    root[outer] = inner;
    return bytes(root);
}

QByteArray firstFrameOfGreet(const QJsonObject &frame)
{
    QJsonObject root = merlin();
    QJsonObject animations = root.value(QStringLiteral("animations")).toObject();
    QJsonArray greet = animations.value(QStringLiteral("Greet")).toArray();
    greet[0] = frame;
    animations[QStringLiteral("Greet")] = greet;
    root[QStringLiteral("animations")] = animations;
    return bytes(root);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class TestCharacterFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsMerlin();
    void refusesBadFiles_data();
    void refusesBadFiles();

private:
    QTemporaryDir m_dir;
};

void TestCharacterFile::loadsMerlin()
{
    QVERIFY(!merlinBytes().isEmpty());
    const CharacterData data = CharacterFile::parse(merlinBytes(), QStringLiteral("Merlin.vchar"));
    QCOMPARE(data.name, QStringLiteral("Merlin"));
    QCOMPARE(data.voice.voice, QByteArray("it"));
    for (const char *name : {"Announce", "Greet", "congratulate", "domagic1", "domagic2", "DOMAGIC2", "rest"}) {
        const Animation *animation = data.find(QLatin1String(name));
        QVERIFY2(animation, name);
        // Long enough to see, short enough not to hold the game up.
        QVERIFY(animation->length() >= std::chrono::milliseconds(300));
        QVERIFY(animation->length() <= std::chrono::milliseconds(3000));
    }
    QVERIFY(!data.find(QStringLiteral("Dance")));
}

void TestCharacterFile::refusesBadFiles_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("fault");

    const int missing = int(ErrorCode::FileNotFound);
    const int access = int(ErrorCode::PathFileAccess);
    const QByteArray good = merlinBytes();
    const QString svgHead = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>");

    QTest::newRow("missing") << Kind::Missing << QByteArray() << missing << QStringLiteral("non si può aprire");
    QTest::newRow("a directory") << Kind::Directory << QByteArray() << access << QStringLiteral("non è un file normale");
    QTest::newRow("a fifo") << Kind::Fifo << QByteArray() << access << QStringLiteral("non è un file normale");
    QTest::newRow("1 GiB") << Kind::Huge << QByteArray() << access << QStringLiteral("troppo grande");
    QTest::newRow("unreadable") << Kind::Unreadable << good << int(ErrorCode::PermissionDenied)
                                << QStringLiteral("non si può aprire");
    QTest::newRow("empty") << Kind::Content << QByteArray() << access << QStringLiteral("è vuoto");
    QTest::newRow("truncated") << Kind::Content << good.left(good.size() / 2) << access << QStringLiteral("troncato");
    QTest::newRow("binary") << Kind::Content << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << access
                            << QStringLiteral("JSON non valido");
    QTest::newRow("an array") << Kind::Content << QByteArray("[1,2]") << access << QStringLiteral("oggetto JSON");
    QTest::newRow("another format") << Kind::Content << changed(QStringLiteral("format"), QStringLiteral("acs"))
                                    << access << QStringLiteral("non è un file di personaggio");
    QTest::newRow("future version") << Kind::Content << changed(QStringLiteral("version"), 2) << access
                                    << QStringLiteral("version");
    QTest::newRow("zero height") << Kind::Content << changed(QStringLiteral("height"), 0) << access
                                 << QStringLiteral("height");
    QTest::newRow("no art") << Kind::Content << changed(QStringLiteral("art"), QJsonValue()) << access
                            << QStringLiteral("art");
    QTest::newRow("art not SVG") << Kind::Content << withArt(QStringLiteral("ciao")) << access
                                 << QStringLiteral("SVG");
    QTest::newRow("art reaching out") << Kind::Content
                                      << withArt(svgHead + QStringLiteral("<image href='file:///dev/zero'/></svg>"))
                                      << access << QStringLiteral("<image>");
    QTest::newRow("art with entities")
        << Kind::Content
        << withArt(QStringLiteral("<!DOCTYPE svg [<!ENTITY a 'aaaa'>]>") + svgHead + QStringLiteral("&a;</svg>"))
        << access << QStringLiteral("DTD");
    QTest::newRow("art without the layers") << Kind::Content
                                            << withArt(svgHead + QStringLiteral("<g id='robe'/></svg>")) << access
                                            << QStringLiteral("nel disegno non c'è");
    QTest::newRow("no rest pose") << Kind::Content << changedIn(QStringLiteral("animations"), QStringLiteral("Rest"), QJsonValue::Undefined)
                                  << access << QStringLiteral("\"Rest\"");
    QTest::newRow("names alike") << Kind::Content
                                 << changedIn(QStringLiteral("animations"), QStringLiteral("GREET"),
                                              merlin()[QStringLiteral("animations")][QStringLiteral("Greet")])
                                 << access << QStringLiteral("due volte");
    QTest::newRow("frame of no time")
        << Kind::Content << firstFrameOfGreet({{QStringLiteral("ms"), 0}, {QStringLiteral("layers"), QJsonArray{QStringLiteral("robe")}}})
        << access << QStringLiteral("ms");
    QTest::newRow("frame without layers")
        << Kind::Content << firstFrameOfGreet({{QStringLiteral("ms"), 100}, {QStringLiteral("layers"), QJsonArray{}}})
        << access << QStringLiteral("layers");
    QTest::newRow("layer of no name")
        << Kind::Content << firstFrameOfGreet({{QStringLiteral("ms"), 100}, {QStringLiteral("layers"), QJsonArray{42}}})
        << access << QStringLiteral("layers[0]");
    QTest::newRow("voice too fast") << Kind::Content << changedIn(QStringLiteral("voice"), QStringLiteral("rate"), 5000)
                                    << access << QStringLiteral("rate");
    QTest::newRow("voice that is no name")
        << Kind::Content << changedIn(QStringLiteral("voice"), QStringLiteral("voice"), QStringLiteral("it; rm -rf"))
        << access << QStringLiteral("non è il nome di una voce");
    QTest::newRow("one mouth") << Kind::Content << changed(QStringLiteral("mouths"), QJsonArray{QStringLiteral("mouth_rest")})
                               << access << QStringLiteral("mouths");
}

void TestCharacterFile::refusesBadFiles()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    QFETCH(QString, fault);
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
    switch (kind) {
    case Kind::Content:
    case Kind::Unreadable: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        if (kind == Kind::Unreadable) {
            if (geteuid() == 0)
                QSKIP("root reads every file, so an unreadable one cannot be made");
            QVERIFY(file.setPermissions(QFileDevice::Permissions()));
        }
        break;
    }
    case Kind::Missing: break;
    case Kind::Directory: QVERIFY(QDir().mkpath(path)); break;
    case Kind::Fifo: QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); break;
    case Kind::Huge: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 30)); // sparse: takes no room on disk
        break;
    }
    }

    try {
        CharacterFile::load(path);
        QFAIL("the file was accepted");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), code);
        QVERIFY2(error.detail().contains(path), qPrintable(error.detail()));
        QVERIFY2(error.detail().contains(fault), qPrintable(error.detail()));
    }
}

QTEST_MAIN(TestCharacterFile)
#include "tst_characterfile.moc"
