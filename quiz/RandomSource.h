#pragma once

#include <random>

namespace vortana {

// Uniform draws in [0, 1), reseeded from the clock on request.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void Randomize() = 0;
    virtual float Rnd() = 0;
};

class ClockRandomSource final : public RandomSource
{
public:
    void Randomize() override;
    float Rnd() override;

private:
    std::mt19937 m_engine;
};

} // namespace vortana
