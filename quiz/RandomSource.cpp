#include "quiz/RandomSource.h"

#include <chrono>

namespace vortana {

void ClockRandomSource::Randomize()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    m_engine.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

static float Rnd24(std::mt19937 &engine)
{
    // 24 random bits make a float strictly below 1, each step equally likely.
    constexpr unsigned Steps = 1U << 24;
    std::uniform_int_distribution<unsigned> draw(0, Steps - 1);
    return static_cast<float>(draw(engine)) / static_cast<float>(Steps);
}

float ClockRandomSource::Rnd()
{
    return Rnd24(m_engine);
}

} // namespace vortana
