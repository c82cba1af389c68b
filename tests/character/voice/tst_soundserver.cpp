#include "PrivatePulseServer.h"

#include "character/AgentControl.h"
#include "character/voice/PulseAudioOutput.h"
#include "character/voice/SpeechEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cmath>
#include <csignal>
#include <map>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

QString merlinFile()
{
    return qEnvironmentVariable("VORTANA_TEST_SOURCE_DIR") + QStringLiteral("/assets/chars/Merlin.vchar");
}

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
    return {double(last - first) / PrivatePulseServer::SampleRate, std::sqrt(sum / double(last - first + 1))};
}

} // namespace

class TestSoundServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase_data();
    void init();
    void speaksThroughTheServer();
    void leavesMidSpeechAtOnce_data();
    void leavesMidSpeechAtOnce();

private:
    std::map<PrivatePulseServer::Kind, std::unique_ptr<PrivatePulseServer>> m_servers;
    PrivatePulseServer *m_server = nullptr;
};

void TestSoundServer::initTestCase_data()
{
    QTest::addColumn<PrivatePulseServer::Kind>("kind");
    QTest::newRow("PulseAudio") << PrivatePulseServer::Kind::PulseAudio;
    QTest::newRow("PipeWire") << PrivatePulseServer::Kind::PipeWire;
}

void TestSoundServer::init()
{
    QFETCH_GLOBAL(PrivatePulseServer::Kind, kind);
    auto &server = m_servers[kind];
    if (!server)
        server = std::make_unique<PrivatePulseServer>(kind);
    if (!server->failure().isEmpty())
        QSKIP(qPrintable(QStringLiteral("no private sound server: ") + server->failure()));
    m_server = server.get();
    qputenv("PULSE_SERVER", m_server->address().toLocal8Bit());
}

void TestSoundServer::speaksThroughTheServer()
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
    agent.Characters().Load(QStringLiteral("Merlin"), merlinFile());
    AgentCharacter &merlin = agent.Characters().Item(QStringLiteral("Merlin"));
    QVERIFY(m_server->startRecording());
    QElapsedTimer took;
    took.start();
    for (const QString &text : texts)
        merlin.Speak(text);
    QTRY_VERIFY_WITH_TIMEOUT(agent.queue().isIdle(), 30000);
    const qint64 elapsed = took.elapsed();
    const Sounding sounding = measure(m_server->stopRecording());

    QVERIFY2(sounding.rms > 1000, qPrintable(QStringLiteral("rms %1: silence").arg(sounding.rms)));
    // The sound begins with the first word and ends with the last; silent
    // edges inside the words may shave a little off.
    const QString report = QStringLiteral("heard %1 s, rendered %2 s, took %3 ms").arg(sounding.seconds).arg(expected).arg(elapsed);
    QVERIFY2(sounding.seconds > expected * 0.7 && sounding.seconds < expected + 0.3 * double(texts.size()), qPrintable(report));
    // The queue waited for the sound rather than its own reckoning.
    QVERIFY2(elapsed >= qint64(expected * 1000) - 50, qPrintable(report));
}

void TestSoundServer::leavesMidSpeechAtOnce_data()
{
    QTest::addColumn<bool>("frozen");
    QTest::newRow("server answering") << false;
    QTest::newRow("server frozen") << true;
}

void TestSoundServer::leavesMidSpeechAtOnce()
{
    QFETCH(bool, frozen);
    auto agent = std::make_unique<AgentControl>();
    agent->Characters().Load(QStringLiteral("Merlin"), merlinFile());
    agent->Characters().Item(QStringLiteral("Merlin")).Speak(
        QStringLiteral("Allora attenzione, iniziamo la nostra avventura con la tabellina del 6"));
    // Mid-speech: the balloon is past the first word.
    QTRY_VERIFY_WITH_TIMEOUT(agent->characters().Item(QStringLiteral("Merlin")).stage().balloon().shownText().size() > 7, 120000);
    QVERIFY(!agent->queue().isIdle());
    if (frozen)
        ::kill(pid_t(m_server->pid()), SIGSTOP);
    QElapsedTimer took;
    took.start();
    agent.reset();
    const qint64 elapsed = took.elapsed();
    if (frozen)
        ::kill(pid_t(m_server->pid()), SIGCONT);
    // Leaving waits for the player at most ShutdownWait; the rest is slack
    // for a busy machine.
    QVERIFY2(elapsed < 4 * PulseAudioOutput::ShutdownWait.count(), qPrintable(QStringLiteral("%1 ms to leave").arg(elapsed)));
}

QTEST_MAIN(TestSoundServer)
#include "tst_soundserver.moc"
