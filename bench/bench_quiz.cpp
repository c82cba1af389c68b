// The question routine with its backdrop paint, and the judgement on Enter,
// on the real window with scripted collaborators.
#include "GameFixture.h"

#include "quiz/controls/ClientArea.h"
#include "quiz/controls/TextBox.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace vortana;
using namespace vortana::test;

namespace {

void questionWithBackdrop(benchmark::State &state)
{
    const qreal ratio = static_cast<qreal>(state.range(0));
    GameFixture game;
    game.start();
    ClientArea *area = game.c().Form;
    QImage surface(area->size() * ratio, QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        game.quiz().cmdNext_Click();
        area->render(&surface);
        game.agent.requests.clear();
    }
    state.SetLabel(QStringLiteral("%1x%2 at ratio %3").arg(area->width()).arg(area->height()).arg(ratio).toStdString());
}

void enterToVerdict(benchmark::State &state)
{
    GameFixture game;
    game.start(7);
    const bool right = state.range(0) != 0;
    game.c().Text3->setText(right ? QStringLiteral("42") : QStringLiteral("41"));
    for (auto _ : state) {
        char16_t enter = 13;
        game.quiz().Text3_KeyPress(enter);
        state.PauseTiming();
        game.quiz().state().rightCount = 0;
        game.quiz().state().wrongCount = 0;
        game.agent.requests.clear();
        state.ResumeTiming();
    }
    state.SetLabel(right ? "right answer" : "wrong answer");
}

} // namespace

BENCHMARK(questionWithBackdrop)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(enterToVerdict)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
