#pragma once

#include "quiz/RandomSource.h"

#include <QList>

namespace vortana::test {

// Draws from a list, over and over; counts the reseeds.
class FixedRandom final : public RandomSource
{
public:
    QList<float> draws{0.0f};
    int reseeds = 0;

    void Randomize() override { ++reseeds; }
    float Rnd() override { return draws.at(m_next++ % draws.size()); }

    // The draw that makes a value from 1 to 10.
    static float forValue(int value) { return (static_cast<float>(value) - 1.0f) / 10.0f + 0.01f; }

private:
    qsizetype m_next = 0;
};

} // namespace vortana::test
