#include "character/AgentControl.h"
#include "character/voice/PulseAudioOutput.h"
#include "character/voice/SpeechEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <cmath>
#include <csignal>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

constexpr int SampleRate = 22050;

struct Sounding
{
    double seconds = 0; // from the first loud sample to the last
    double rms = 0;     // over that span
};

Sounding measure(const QByteArray &raw)
{
    const auto *samples = reinterpret_cast<const std::int16_t *>(raw.constData());
    const qsizetype count = raw.size() / 2;
    const auto loud = [samples](qsizetype i) { return std::abs(samples[i]) > 600; };
    qsizetype first = 0;
    qsizetype last = count - 1;
    while (first < count && !loud(first))
        ++first;
    while (last > first && !loud(last))
        --last;
    if (first == count)
        return {};
    double sum = 0;
    for (qsizetype i = first; i <= last; ++i)
        sum += double(samples[i]) * samples[i];
    return {double(last - first) / SampleRate, std::sqrt(sum / double(last - first + 1))};
}

} // namespace

// Through the whole character to a sound server of the test's own, which
// private_sound.py starts: PULSE_SERVER leads to it.
class TestSoundServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!qEnvironmentVariableIsSet("VORTANA_SOUND_SERVER_PID"))
            QSKIP("needs the private sound server of private_sound.py");
    }

    void speaksThroughTheServer()
    {
        const QStringList texts{QStringLiteral("6"), QStringLiteral("per"), QStringLiteral("sette")};
        // What the texts last, rendered on their own.
        double expected = 0;
        for (const QString &text : texts) {
            auto pending = SpeechEngine::instance().render(text, VoiceSettings{"it", 145, 38, 60, 100});
            QVERIFY(pending->wait(10s));
            expected += double(pending->utterance()->length().count()) / 1000;
        }
        AgentControl agent;
        agent.Characters().Load(QStringLiteral("Merlin"), QStringLiteral(VORTANA_TEST_MERLIN));
        AgentCharacter &merlin = agent.Characters().Item(QStringLiteral("Merlin"));
        // Nothing may play before the monitor's silence comes in.
        QProcess recorder;
        recorder.start(QStringLiteral("parec"), {"--device=vortana_test.monitor", "--raw", "--format=s16le", "--channels=1",
                                                 QStringLiteral("--rate=%1").arg(SampleRate), "--latency-msec=20"});
        while (recorder.bytesAvailable() == 0)
            QVERIFY2(recorder.waitForReadyRead(-1), "the recorder ended");
        QElapsedTimer took;
        took.start();
        for (const QString &text : texts)
            merlin.Speak(text);
        QTRY_VERIFY_WITH_TIMEOUT(agent.queue().isIdle(), 30000);
        const qint64 elapsed = took.elapsed();
        // A further 0.3 s of the monitor: the sink's latency holds the last words.
        for (const qint64 tail = recorder.bytesAvailable() + SampleRate * 2 * 3 / 10; recorder.bytesAvailable() < tail;)
            QVERIFY2(recorder.waitForReadyRead(-1), "the recorder ended");
        recorder.terminate();
        QVERIFY(recorder.waitForFinished(-1));
        const Sounding sounding = measure(recorder.readAllStandardOutput());

        QVERIFY2(sounding.rms > 1000, qPrintable(QStringLiteral("rms %1: silence").arg(sounding.rms)));
        // The sound begins with the first word and ends with the last; silent
        // edges inside the words may shave a little off.
        const QString report = QStringLiteral("heard %1 s, rendered %2 s, took %3 ms").arg(sounding.seconds).arg(expected).arg(elapsed);
        QVERIFY2(sounding.seconds > expected * 0.7 && sounding.seconds < expected + 0.3 * double(texts.size()), qPrintable(report));
        // The queue waited for the sound rather than its own reckoning.
        QVERIFY2(elapsed >= qint64(expected * 1000) - 50, qPrintable(report));
    }

    void leavesMidSpeechAtOnce_data()
    {
        QTest::addColumn<bool>("frozen");
        QTest::newRow("server answering") << false;
        QTest::newRow("server frozen") << true;
    }

    void leavesMidSpeechAtOnce()
    {
        QFETCH(bool, frozen);
        const auto server = pid_t(qEnvironmentVariableIntValue("VORTANA_SOUND_SERVER_PID"));
        auto agent = std::make_unique<AgentControl>();
        agent->Characters().Load(QStringLiteral("Merlin"), QStringLiteral(VORTANA_TEST_MERLIN));
        agent->Characters().Item(QStringLiteral("Merlin")).Speak(
            QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina del 6"));
        // Mid-speech: the balloon is past the first word.
        QTRY_VERIFY_WITH_TIMEOUT(agent->characters().Item(QStringLiteral("Merlin")).stage().balloon().shownText().size() > 7, 120000);
        QVERIFY(!agent->queue().isIdle());
        if (frozen)
            ::kill(server, SIGSTOP);
        QElapsedTimer took;
        took.start();
        agent.reset();
        const qint64 elapsed = took.elapsed();
        if (frozen)
            ::kill(server, SIGCONT);
        // Leaving waits for the player at most ShutdownWait; the rest is slack
        // for a busy machine.
        QVERIFY2(elapsed < 4 * PulseAudioOutput::ShutdownWait.count(), qPrintable(QStringLiteral("%1 ms to leave").arg(elapsed)));
    }
};

QTEST_MAIN(TestSoundServer)
#include "tst_soundserver.moc"
