// The character's speed and cost: how soon a Speak is heard, what the resting
// and the animating character cost in CPU, and what it holds in memory.
// Runs on the X display when DISPLAY is set, offscreen otherwise.
#include "character/AgentControl.h"
#include "character/voice/AudioListener.h"
#include "character/voice/PulseAudioOutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace vortana;
using namespace std::chrono;

namespace {

const QString Introduction = QStringLiteral(
    "Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu scrivi il risultato "
    "nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta che io finisca "
    "di parlare e premi ancora invio per avere la domanda successiva");

// Passes sound on to the real output and notes when its first buffer has gone
// to the server.
class TimingSink final : public AudioSink, private AudioListener
{
public:
    void play(std::shared_ptr<const Utterance> utterance, AudioListener *listener) override
    {
        m_listener = listener;
        m_output.play(std::move(utterance), this);
    }
    void stop() override
    {
        m_listener = nullptr;
        m_output.stop();
    }
    std::optional<steady_clock::time_point> firstBuffer;

private:
    void playbackStarted() override
    {
        firstBuffer = steady_clock::now();
        if (m_listener)
            m_listener->playbackStarted();
    }
    void playbackFinished(bool heard) override
    {
        if (!heard && !firstBuffer)
            firstBuffer = steady_clock::now(); // no server: paced from here
        if (m_listener)
            std::exchange(m_listener, nullptr)->playbackFinished(heard);
    }

    PulseAudioOutput m_output;
    AudioListener *m_listener = nullptr;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
         + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

void spin(milliseconds span)
{
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds, looking every millisecond.
template<typename Done>
void spinUntil(Done done)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    if (!done())
        loop.exec();
}

struct Stage
{
    SteadyClock clock;
    TimingSink *sink;
    std::unique_ptr<AgentControl> agent;
    Character *merlin;

    Stage()
    {
        auto timing = std::make_unique<TimingSink>();
        sink = timing.get();
        agent = std::make_unique<AgentControl>(clock, std::move(timing));
        agent->Characters().Load(QStringLiteral("Merlin"), agent->characterFile(QStringLiteral("Merlin")));
        merlin = &agent->characters().Item(QStringLiteral("Merlin"));
        merlin->Height(205);
        merlin->Show();
        merlin->MoveTo(250, 175);
        spinUntil([&] { return agent->queue().isIdle(); });
    }
};

// From a Speak reaching the head of the queue to its first buffer at the
// server. Behind a running request (as in the game) the voice was rendered
// while it waited; on an idle queue the time runs from the call, so it takes
// in the whole synthesis.
void firstBuffer(benchmark::State &state, const QString &text, bool behindAnother)
{
    Stage stage;
    steady_clock::time_point head;
    QObject::connect(&stage.agent->queue(), &RequestQueue::requestStarted, [&] { head = steady_clock::now(); });
    for (auto _ : state) {
        stage.sink->firstBuffer.reset();
        if (behindAnother)
            stage.merlin->Play(QStringLiteral("Greet"));
        const auto asked = steady_clock::now();
        stage.merlin->Speak(text);
        spinUntil([&] { return stage.sink->firstBuffer.has_value(); });
        const auto from = behindAnother ? head : asked;
        state.SetIterationTime(duration<double>(*stage.sink->firstBuffer - from).count());
        stage.agent->queue().clear();
        spin(50ms);
    }
    state.SetLabel(qEnvironmentVariableIsSet("PULSE_SERVER") ? "private PulseAudio server" : "no sound server");
}

void BM_FirstBufferOneWordIdleQueue(benchmark::State &state) { firstBuffer(state, QStringLiteral("sette"), false); }
void BM_FirstBufferIntroductionIdleQueue(benchmark::State &state) { firstBuffer(state, Introduction, false); }
void BM_FirstBufferOneWordInGame(benchmark::State &state) { firstBuffer(state, QStringLiteral("sette"), true); }
void BM_FirstBufferIntroductionInGame(benchmark::State &state) { firstBuffer(state, Introduction, true); }

void cpuWhile(benchmark::State &state, bool animating)
{
    Stage stage;
    for (auto _ : state) {
        const quint64 pictures = stage.merlin->stage().view().framesShown();
        const quint64 steps = stage.agent->queue().steps();
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        bool right = false;
        auto keepBusy = [&] {
            if (animating && stage.agent->queue().isIdle()) {
                stage.merlin->Play(QStringLiteral("domagic2"));
                stage.merlin->MoveTo(right ? 250 : 650, 175);
                right = !right;
            }
        };
        const QMetaObject::Connection busy =
            QObject::connect(&stage.agent->queue(), &RequestQueue::requestFinished, keepBusy);
        keepBusy();
        spin(6s);
        QObject::disconnect(busy);
        const double seconds = double(wall.elapsed()) / 1000;
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = (cpuSeconds() - cpu) / seconds * 100;
        state.counters["pictures_per_s"] = double(stage.merlin->stage().view().framesShown() - pictures) / seconds;
        state.counters["steps_per_s"] = double(stage.agent->queue().steps() - steps) / seconds;
    }
}

void BM_RestingCpu(benchmark::State &state) { cpuWhile(state, false); }
void BM_AnimatingCpu(benchmark::State &state) { cpuWhile(state, true); }

void BM_Memory(benchmark::State &state)
{
    for (auto _ : state) {
        const double before = residentMiB();
        Stage stage;
        for (const char *name : {"Announce", "Greet", "congratulate", "domagic1", "domagic2"})
            stage.merlin->Play(QLatin1String(name));
        stage.merlin->Speak(Introduction);
        spinUntil([&] { return stage.agent->queue().isIdle(); });
        state.counters["rss_growth_MiB"] = residentMiB() - before;
        state.counters["frame_MiB"] = double(stage.merlin->stage().frames().bytes()) / (1 << 20);
    }
}

} // namespace

BENCHMARK(BM_FirstBufferOneWordIdleQueue)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_FirstBufferIntroductionIdleQueue)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FirstBufferOneWordInGame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FirstBufferIntroductionInGame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RestingCpu)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_AnimatingCpu)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Memory)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The harness starts a sound server of its own and names it.
    if (!qEnvironmentVariableIsSet("PULSE_SERVER"))
        qWarning("Sound timed without a server: PULSE_SERVER is not set");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
