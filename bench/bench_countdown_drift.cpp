// A shortened countdown that tells where the whole game's last tick would land:
// runs the tick timer for N ticks (30 by default), fits the lateness against
// the tick number, and projects tick 420 as the worst lateness seen plus 420
// times the drift per tick (a drift below zero counts as none). Prints JSON.
#include "runtime/Clock.h"
#include "runtime/TickTimer.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr long long GameTicks = 420;

// The median of the slopes between every two ticks: one late wake-up cannot
// tilt it, as it would a least-squares line.
double driftPerTick(const std::vector<double> &lateness)
{
    std::vector<double> slopes;
    for (std::size_t i = 0; i < lateness.size(); ++i) {
        for (std::size_t j = i + 1; j < lateness.size(); ++j)
            slopes.push_back((lateness[j] - lateness[i]) / double(j - i));
    }
    if (slopes.empty())
        return 0.0;
    const auto middle = slopes.begin() + std::ptrdiff_t(slopes.size() / 2);
    std::nth_element(slopes.begin(), middle, slopes.end());
    return *middle;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace std::chrono;
    QCoreApplication app(argc, argv);
    const long long ticks = argc > 1 ? std::max(2LL, std::atoll(argv[1])) : 30;

    vortana::SteadyClock clock;
    vortana::TickTimer timer(clock);
    timer.setInterval(milliseconds(1000));
    std::vector<double> lateness;
    const auto start = clock.now();
    QObject::connect(&timer, &vortana::TickTimer::tick, &app, [&] {
        const long long k = timer.ticksEmitted();
        lateness.push_back(duration<double, std::milli>(clock.now() - start - seconds(k)).count());
        if (k < ticks)
            return;
        const double worst = *std::max_element(lateness.begin(), lateness.end());
        const double drift = driftPerTick(lateness);
        std::printf("{\"ticks\": %lld, \"worst_ms\": %.3f, \"last_ms\": %.3f, \"drift_ms_per_tick\": %.5f, "
                    "\"projected_tick_%lld_ms\": %.3f}\n",
                    ticks, worst, lateness.back(), drift, GameTicks, worst + double(GameTicks) * std::max(drift, 0.0));
        QCoreApplication::quit();
    });
    timer.setEnabled(true);
    return QCoreApplication::exec();
}
