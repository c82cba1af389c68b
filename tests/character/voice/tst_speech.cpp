#include "character/voice/LoudnessMeter.h"
#include "character/voice/SampleChannel.h"
#include "character/voice/SpeechEngine.h"
#include "character/voice/SpeechText.h"

#include <QCoreApplication>
#include <QTest>

#include <clocale>
#include <cmath>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

const VoiceSettings Merlin{"it", 145, 38, 60, 100};

std::shared_ptr<const Utterance> say(const QString &text, const VoiceSettings &voice = Merlin)
{
    auto pending = SpeechEngine::instance().render(text, voice);
    return pending->wait(20s) ? pending->utterance() : nullptr;
}

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The engine's start switches the character locale to UTF-8; begin from
        // plain "C" so that a switch that is not undone shows.
        std::setlocale(LC_ALL, "C");
        m_locale = std::setlocale(LC_ALL, nullptr);
        QVERIFY(say(QStringLiteral("pronto")));
    }

    void wordsMapToTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("accents before a word") << "Sì, città è bella" << QStringList{"Sì", "città", "è", "bella"};
        QTest::newRow("beyond the basic plane") << "ciao \U0001F600 mago" << QStringList{"ciao", "mago"};
        // Markup and phoneme input are read as the text they are, never obeyed.
        QTest::newRow("speech markup") << "<speak>Eva</speak>" << QStringList{"speak", "Eva", "speak"};
        QTest::newRow("phoneme input") << "[[h@l@U]]" << QStringList{"h", "l", "U"};
    }

    void wordsMapToTheText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const auto utterance = say(text);
        QVERIFY(utterance);
        QCOMPARE(utterance->sampleRate, 22050);
        double sum = 0;
        for (std::int16_t s : utterance->samples)
            sum += double(s) * s;
        QVERIFY2(std::sqrt(sum / double(utterance->samples.size())) > 500, "silence");
        QCOMPARE(utterance->mouth.size(), std::size_t(utterance->length() / Utterance::MouthStep + 1));
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

    // One character of the text, one of what the engine gets: the engine's
    // positions count characters, so a blank stands in for what it must not see.
    void textTheEngineGets_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("given");

        const QString latin = QStringLiteral("Però è così, Zoe\u0308 Łukasz Ŋ 😀 €5,50");
        QTest::newRow("Latin, marks and symbols") << latin << latin;
        QTest::newRow("other scripts") << "Ζωή Мария 각 李 \u0CE0\uFF26 \u09E6\u0AE6\u0AFF\u0380 \U00010400"
                                       << QString(15, u' ') + u'\uFF26' + QString(7, u' ');
        QTest::newRow("signs that switch the language") << "a\u0387\u0385\u10FB\u0964\u0965b" << "a     b";
    }

    void textTheEngineGets()
    {
        QFETCH(QString, text);
        QFETCH(QString, given);
        QCOMPARE(QString::fromUtf8(SpeechText(text).utf8()), given);
    }

    // The engine speaks at the voice's own rate, not at a default of its own.
    void speaksAtTheVoicesRate()
    {
        VoiceSettings twiceAsFast = Merlin;
        twiceAsFast.rate *= 2;
        const QString text = QStringLiteral("Sei sulla buona strada per diventare cavaliere");
        const auto slow = say(text), fast = say(text, twiceAsFast);
        QVERIFY(slow && fast);
        QVERIFY2(slow->length() > fast->length() * 3 / 2, qPrintable(QStringLiteral("%1 ms against %2 ms")
                                                                       .arg(slow->length().count()).arg(fast->length().count())));
    }

    void sixIsSaidAsSei()
    {
        // The number ends in a glide where the word ends in a vowel: both are "sei".
        auto spoken = [](const char *text) {
            return SpeechEngine::instance().phonemes(QLatin1String(text), Merlin).replace(u'j', u'i');
        };
        const QString six = spoken("6");
        QVERIFY(!six.isEmpty());
        QCOMPARE(six, spoken("sei"));
        QVERIFY(six != spoken("sette") && six != spoken("sedici"));
    }

    void mouthFollowsLoudness()
    {
        std::vector<std::int16_t> samples(22050, 0);
        for (std::size_t i = 11025; i < samples.size(); ++i)
            samples[i] = std::int16_t(i % 50 < 25 ? 8000 : -8000);
        // In pieces that do not match the steps, as the engine hands them over.
        LoudnessMeter meter(22050);
        for (std::size_t at = 0; at < samples.size(); at += 1000)
            meter.add(samples.data() + at, std::min<std::size_t>(1000, samples.size() - at));
        const auto track = meter.track();
        QCOMPARE(track.size(), std::size_t(25));
        QCOMPARE(int(track.front()), 0);
        QCOMPARE(int(track.back()), 255);
    }

    void longSpeechIsRenderedAgainAsItPlays()
    {
        const auto utterance = say(QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina "
                                                  "del 6. Io detto e tu scrivi il risultato nello spazio sotto di me."));
        QVERIFY(utterance && utterance->replay);
        QVERIFY(utterance->samples.empty());
        QVERIFY(utterance->length() > SpeechEngine::KeptAudio);
        const std::shared_ptr<SampleChannel> channel = utterance->replay();
        std::vector<std::int16_t> again(utterance->sampleCount + 1);
        std::size_t read = 0;
        while (std::size_t more = channel->read(again.data() + read, again.size() - read))
            read += more;
        again.resize(read);
        // The engine never renders a text twice to the very sample: what plays
        // is measured again and must agree with what the mouth and the words follow.
        const std::size_t step = std::size_t(utterance->sampleRate) * Utterance::MouthStep.count() / 1000;
        QVERIFY2(std::max(read, utterance->sampleCount) - std::min(read, utterance->sampleCount) < step,
                 qPrintable(QStringLiteral("%1 samples played, %2 measured").arg(read).arg(utterance->sampleCount)));
        LoudnessMeter meter(utterance->sampleRate);
        meter.add(again.data(), again.size());
        const std::vector<std::uint8_t> played = meter.track();
        double apart = 0;
        for (std::size_t i = 0; i < std::min(played.size(), utterance->mouth.size()); ++i)
            apart += std::abs(played[i] - utterance->mouth[i]) / 255.0;
        QVERIFY2(apart < 0.05 * double(played.size()), "the audio played is not the audio measured");

        // A player that stops early frees the speech thread for the next text.
        const std::shared_ptr<SampleChannel> stopped = utterance->replay();
        QCOMPARE(stopped->read(again.data(), 100), std::size_t(100));
        stopped->close();
        QVERIFY(say(QStringLiteral("pronto")));
    }

    void keepsTheProgramsLocale()
    {
        QCOMPARE(QByteArray(std::setlocale(LC_ALL, nullptr)), m_locale);
        QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray("."));
    }

private:
    QByteArray m_locale;
};

QTEST_GUILESS_MAIN(TestSpeech)
#include "tst_speech.moc"
