#include "character/voice/SpeechEngine.h"

#include <QGuiApplication>
#include <QTest>

using namespace vortana;

namespace {

constexpr std::chrono::seconds RenderWait{20};
const QString Italian = QStringLiteral("sei per sette, quarantadue");

QString phonemes(const QString &text)
{
    return SpeechEngine::instance().phonemes(text, VoiceSettings{});
}

} // namespace

// Names reach the real voice as plain text: markup is read out as written,
// any script is spoken without harm, and the voice stays Italian afterwards.
class TestVoiceNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void markupIsReadOut_data();
    void markupIsReadOut();
    void anyScriptIsSpoken_data();
    void anyScriptIsSpoken();

private:
    QString m_italian;
};

void TestVoiceNames::initTestCase()
{
    m_italian = phonemes(Italian);
    QVERIFY(!m_italian.isEmpty());
}

void TestVoiceNames::markupIsReadOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("inner"); // what a markup reader would say instead

    QTest::newRow("bold tag") << "<b>Eva</b>" << "Eva";
    QTest::newRow("SSML document") << "<speak>Eva</speak>" << "Eva";
    QTest::newRow("SSML audio and break") << "<audio src=\"x.wav\"/><break time=\"9s\"/>Leo" << "Leo";
    QTest::newRow("SSML say-as") << "<say-as interpret-as=\"characters\">Ugo</say-as>" << "Ugo";
    QTest::newRow("phoneme brackets") << "[[h@l@U]]" << "h@l@U";
}

void TestVoiceNames::markupIsReadOut()
{
    QFETCH(QString, name);
    QFETCH(QString, inner);
    const QString spoken = phonemes(name);
    QVERIFY(!spoken.isEmpty());
    QVERIFY2(spoken != phonemes(inner) && spoken != inner, qPrintable(spoken));
}

void TestVoiceNames::anyScriptIsSpoken_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("Greek") << "Ζωή";
    QTest::newRow("Cyrillic") << "Мария";
    QTest::newRow("Chinese") << "李小龙";
    QTest::newRow("Arabic") << "ليلى";
    QTest::newRow("Hindi") << "अनन्या";
    QTest::newRow("Cherokee") << "Ꭿ";
    QTest::newRow("Gujarati digits") << "૦૧૨";
    QTest::newRow("Greek ano teleia") << "Ζωή·Ανν";
    QTest::newRow("Hangul jamo") << "각";
    QTest::newRow("emoji") << "Zoë 🦉 👨‍👩‍👧";
    QTest::newRow("controls and noncharacters") << QStringLiteral("Ada\x01\t\uFFFF\uFDD0Bea");
}

void TestVoiceNames::anyScriptIsSpoken()
{
    QFETCH(QString, name);
    const auto pending = SpeechEngine::instance().render(name, VoiceSettings{});
    QVERIFY(pending->wait(RenderWait));
    QVERIFY2(pending->utterance(), qPrintable(pending->error()));
    QCOMPARE(phonemes(Italian), m_italian);
}

int main(int argc, char *argv[])
{
    // The speech engine is made after the application, as in the program.
    QGuiApplication application(argc, argv);
    TestVoiceNames test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_voicenames.moc"
