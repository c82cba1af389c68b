#include "character/voice/SpeechEngine.h"
#include "character/voice/SpeechText.h"

#include <QCoreApplication>
#include <QTest>

#include <clocale>
#include <cmath>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

const QString Introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca "
    "di parlare e premi ancora invio per avere la domanda successiva");

const VoiceSettings Merlin{"it", 145, 38, 60, 100};

std::shared_ptr<const Utterance> say(const QString &text)
{
    auto pending = SpeechEngine::instance().render(text, Merlin);
    if (!pending->wait(20s))
        return nullptr;
    return pending->utterance();
}

double rms(const std::vector<std::int16_t> &samples)
{
    double sum = 0;
    for (std::int16_t s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void speaksPlausibly_data();
    void speaksPlausibly();
    void wordsMapToTheText_data();
    void wordsMapToTheText();
    void textTheEngineGets_data();
    void textTheEngineGets();
    void sixIsSaidAsSei();
    void keepsTheProgramsLocale();
    void mouthFollowsLoudness();

private:
    QByteArray m_locale;
};

void TestSpeech::initTestCase()
{
    // The engine's start switches the character locale to UTF-8; begin from
    // plain "C" so that a switch that is not undone shows.
    std::setlocale(LC_ALL, "C");
    m_locale = std::setlocale(LC_ALL, nullptr);
    QVERIFY(say(QStringLiteral("pronto")));
}

void TestSpeech::speaksPlausibly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minMs");
    QTest::addColumn<int>("maxMs");
    QTest::addColumn<int>("words");

    QTest::newRow("the digit 6") << QStringLiteral("6") << 200 << 1200 << 1;
    QTest::newRow("per") << QStringLiteral("per") << 150 << 1000 << 1;
    QTest::newRow("sette") << QStringLiteral("sette") << 250 << 1200 << 1;
    QTest::newRow("introduction") << Introduction << 12000 << 32000 << 48;
    QTest::newRow("markup is spoken as written") << QStringLiteral("<audio src=x>") << 900 << 5000 << 3;
    QTest::newRow("accented words") << QStringLiteral("città perché è") << 600 << 3000 << 3;
}

void TestSpeech::speaksPlausibly()
{
    QFETCH(QString, text);
    QFETCH(int, minMs);
    QFETCH(int, maxMs);
    QFETCH(int, words);
    const auto utterance = say(text);
    QVERIFY(utterance);
    QCOMPARE(utterance->sampleRate, 22050);
    const auto length = utterance->length().count();
    QVERIFY2(length >= minMs && length <= maxMs, qPrintable(QStringLiteral("%1 ms").arg(length)));
    QVERIFY2(rms(utterance->samples) > 500, "silence");
    QVERIFY(utterance->words.size() >= words);
    QCOMPARE(utterance->mouth.size(), std::size_t(length / Utterance::MouthStep.count() + 1));
}

void TestSpeech::wordsMapToTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain") << QStringLiteral("Sei in gamba")
                           << QStringList{QStringLiteral("Sei"), QStringLiteral("in"), QStringLiteral("gamba")};
    QTest::newRow("accents before a word") << QStringLiteral("città è bella")
                                           << QStringList{QStringLiteral("città"), QStringLiteral("è"), QStringLiteral("bella")};
    QTest::newRow("beyond the basic plane") << QStringLiteral("ciao \U0001F600 mago")
                                            << QStringList{QStringLiteral("ciao"), QStringLiteral("mago")};
    QTest::newRow("control characters") << QStringLiteral("uno\x01\tdue")
                                        << QStringList{QStringLiteral("uno"), QStringLiteral("due")};
    QTest::newRow("a digit the engine trips on") << QStringLiteral("uno \u0AE7 due")
                                                 << QStringList{QStringLiteral("uno"), QStringLiteral("due")};
}

// One character of the text, one of what the engine gets: the engine's
// positions count characters, so a blank stands in for what it must not see.
void TestSpeech::textTheEngineGets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("given");

    QTest::newRow("Italian") << QStringLiteral("Però è così") << QStringLiteral("Però è così");
    QTest::newRow("Latin and symbols") << QStringLiteral("Zoë Łukasz Ŋ 😀 €5,50") << QStringLiteral("Zoë Łukasz Ŋ 😀 €5,50");
    QTest::newRow("other scripts") << QStringLiteral("Ζωή Мария 각 李") << QString(13, u' ');
    QTest::newRow("Kannada before fullwidth Latin") << QStringLiteral("\u0CE0\uFF26") << QStringLiteral(" \uFF26");
    QTest::newRow("controls") << QStringLiteral("a\tb\nc\x1b") + QChar::Null << QStringLiteral("a b c  ");
    QTest::newRow("lone surrogates") << QStringLiteral("a") + QChar(0xDC00) + QChar(0xD800) + u'b'
                                     << QStringLiteral("a  b");
    QTest::newRow("Indic digits") << QStringLiteral("\u09E6\u0A66\u0AE6\u0BE6\u0CE6\u0D66x") << QStringLiteral("      x");
    QTest::newRow("Greek signs") << QStringLiteral("a\u0387\u0385b") << QStringLiteral("a  b");
    QTest::newRow("Gujarati sign") << QStringLiteral("\u0AFF") << QStringLiteral(" ");
    QTest::newRow("Georgian paragraph sign") << QStringLiteral("a\u10FBb") << QStringLiteral("a b");
    QTest::newRow("unassigned Greek") << QStringLiteral("\u0380\u03A2") << QStringLiteral("  ");
}

void TestSpeech::textTheEngineGets()
{
    QFETCH(QString, text);
    QFETCH(QString, given);
    QCOMPARE(QString::fromUtf8(SpeechText(text).utf8()), given);
}

void TestSpeech::wordsMapToTheText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const auto utterance = say(text);
    QVERIFY(utterance);
    QStringList heard;
    std::chrono::milliseconds previous{-1};
    for (const WordMark &word : utterance->words) {
        QVERIFY(word.at > previous);
        previous = word.at;
        QVERIFY(word.start >= 0 && word.start + word.length <= text.size());
        const QString piece = text.mid(word.start, word.length);
        if (!piece.trimmed().isEmpty() && piece.at(0).isLetter())
            heard.append(piece);
    }
    QCOMPARE(heard, expected);
}

void TestSpeech::sixIsSaidAsSei()
{
    // The number ends in a glide where the word ends in a vowel: both are "sei".
    auto spoken = [](const char *text) {
        return SpeechEngine::instance().phonemes(QLatin1String(text), Merlin).replace(u'j', u'i');
    };
    const QString six = spoken("6");
    QVERIFY(!six.isEmpty());
    QCOMPARE(six, spoken("sei"));
    QVERIFY(six != spoken("sette"));
    QVERIFY(six != spoken("sedici"));
}

void TestSpeech::keepsTheProgramsLocale()
{
    QCOMPARE(QByteArray(std::setlocale(LC_ALL, nullptr)), m_locale);
    QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray("."));
}

void TestSpeech::mouthFollowsLoudness()
{
    std::vector<std::int16_t> samples(22050, 0);
    for (std::size_t i = 11025; i < samples.size(); ++i)
        samples[i] = std::int16_t(i % 50 < 25 ? 8000 : -8000);
    const auto track = SpeechText::mouthTrack(samples, 22050);
    QCOMPARE(track.size(), std::size_t(25));
    QCOMPARE(int(track.front()), 0);
    QCOMPARE(int(track.back()), 255);
}

QTEST_GUILESS_MAIN(TestSpeech)
#include "tst_speech.moc"
