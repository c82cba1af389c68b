#include "PrivateSound.h"

#include "character/voice/AudioListener.h"
#include "character/voice/PulseAudioOutput.h"
#include "character/voice/SpeechEngine.h"
#include "character/voice/SpeechText.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

const VoiceSettings Merlin{"it", 145, 38, 60, 100};

std::shared_ptr<const Utterance> say(const QString &text, const VoiceSettings &voice = Merlin)
{
    auto pending = SpeechEngine::instance().render(text, voice);
    return pending->wait(20s) ? pending->utterance() : nullptr;
}

struct Listener final : AudioListener
{
    bool started = false;
    std::optional<bool> heard;
    void playbackStarted() override { started = true; }
    void playbackFinished(bool finished) override { heard = finished; }
};

} // namespace

class TestSpeech : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

    // Through a sound server of the test's own, as the child hears it: sound
    // from the first word to the last, whether the speech was kept whole or is
    // rendered again as it plays, and the mouth open with it and shut at silence.
    void heardFromFirstWordToLast_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("kept whole") << "Sei sulla buona strada per diventare cavaliere";
        QTest::newRow("rendered again as it plays") << "Allora attenzione, iniziamo la nostra avventura con la "
                                                       "tabellina del 6. Io detto e tu scrivi il risultato nello spazio sotto di me.";
    }

    void heardFromFirstWordToLast()
    {
        QFETCH(QString, text);
        PrivateSound sound;
        const QString failure = sound.start();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        PulseAudioOutput output;
        const auto utterance = say(text);
        QVERIFY(utterance);
        QCOMPARE(utterance->samples.empty(), utterance->length() > SpeechEngine::KeptAudio);
        Listener listener;
        output.play(utterance, &listener);
        QVERIFY(QTest::qWaitFor([&] { return listener.heard.has_value(); }, 60000));
        QVERIFY2(*listener.heard, "the sound server took nothing");
        // The sink's clock runs on: a second after the speech has drained, all of it is in.
        const std::size_t drained = sound.recorded();
        QVERIFY(QTest::qWaitFor([&] { return sound.recorded() > drained + PrivateSound::Rate; }, 60000));

        // Nothing played before this speech: aligned at their first sound, each
        // step heard is set against the mouth's opening for it.
        const std::vector<double> heard = sound.power(PrivateSound::Rate * Utterance::MouthStep.count() / 1000);
        const auto &mouth = utterance->mouth;
        const auto sounds = [](double power) { return power > 100.0 * 100.0; };
        const auto first = qsizetype(std::find_if(heard.begin(), heard.end(), sounds) - heard.begin());
        const auto last = std::max(first, qsizetype(heard.rend() - std::find_if(heard.rbegin(), heard.rend(), sounds)));
        const auto opens = qsizetype(std::find_if(mouth.begin(), mouth.end(), [](auto m) { return m > 0; }) - mouth.begin());
        const auto closes = std::max(opens, qsizetype(mouth.rend() - std::find_if(mouth.rbegin(), mouth.rend(), [](auto m) { return m > 0; })));
        qsizetype pause = 0, longestPause = 0, quiet = 0, longestQuiet = 0, wrongMouth = 0;
        for (qsizetype i = opens, at = first; i < closes && at < qsizetype(heard.size()); ++i, ++at) {
            longestPause = std::max(longestPause, pause = mouth[i] ? 0 : pause + 1);
            longestQuiet = std::max(longestQuiet, quiet = sounds(heard[at]) ? 0 : quiet + 1);
            // Open where it is loud, shut or nearly where nothing is heard.
            wrongMouth += sounds(heard[at]) ? heard[at] > 1e6 && mouth[i] == 0 : mouth[i] > 64;
        }
        const QString measured = QStringLiteral("%1 steps of sound for %2 of speech, silence of %3 where it pauses for %4, "
                                                "mouth wrong in %5").arg(last - first).arg(closes - opens)
                                     .arg(longestQuiet).arg(longestPause).arg(wrongMouth);
        qInfo().noquote() << measured;
        QVERIFY2(last - first > closes - opens - 3 && last - first < closes - opens + 25, qPrintable(measured));
        QVERIFY2(longestQuiet < longestPause + 5 && wrongMouth < (closes - opens) / 20, qPrintable(measured));

        if (utterance->replay) {
            // A player that stops early frees the speech thread for the next text.
            listener = {};
            output.play(utterance, &listener);
            QVERIFY(QTest::qWaitFor([&] { return listener.started; }, 60000));
            output.stop();
            QVERIFY(say(QStringLiteral("pronto")));
        }
    }
};

QTEST_GUILESS_MAIN(TestSpeech)
#include "tst_speech.moc"
