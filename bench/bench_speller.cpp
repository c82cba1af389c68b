#include "speller/Currency.h"
#include "speller/Numlett.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long long LastNumber = 1'000'000;

// Every number from 0 to a million, one pass per iteration; "per_call" is the
// time of one numlett call.
void spellEveryNumber(benchmark::State &state)
{
    for (auto _ : state) {
        for (long long n = 0; n <= LastNumber; ++n)
            benchmark::DoNotOptimize(vortana::numlett(vortana::Currency::fromWhole(n)));
    }
    const auto calls = static_cast<double>(LastNumber + 1);
    state.SetItemsProcessed(state.iterations() * (LastNumber + 1));
    state.counters["per_call"] = benchmark::Counter(
        calls, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(spellEveryNumber)->Unit(benchmark::kMillisecond);
