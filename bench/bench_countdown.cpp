// How far the countdown's ticks land from real time: runs the tick timer for a
// number of ticks (420 by default, a whole game) and prints the lateness of
// each hundredth tick and of the last, and the worst.
#include "runtime/Clock.h"
#include "runtime/TickTimer.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    using namespace std::chrono;
    QCoreApplication app(argc, argv);
    const long long ticks = argc > 1 ? std::atoll(argv[1]) : 420;

    vortana::SteadyClock clock;
    vortana::TickTimer timer(clock);
    timer.setInterval(milliseconds(1000));
    double worst = 0.0;
    const auto start = clock.now();
    QObject::connect(&timer, &vortana::TickTimer::tick, &app, [&] {
        const long long k = timer.ticksEmitted();
        const double late = duration<double, std::milli>(clock.now() - start - seconds(k)).count();
        worst = std::max(worst, late);
        if (k % 100 == 0 || k == ticks)
            std::printf("tick %lld: %.3f ms after its second\n", k, late);
        if (k == ticks) {
            std::printf("worst lateness over %lld ticks: %.3f ms\n", ticks, worst);
            QCoreApplication::quit();
        }
    });
    timer.setEnabled(true);
    return QCoreApplication::exec();
}
