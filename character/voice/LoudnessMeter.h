#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vortana {

// How far the mouth opens, step by step, from the loudness of the audio,
// taken as it is rendered so that the audio itself need not be kept.
class LoudnessMeter
{
public:
    explicit LoudnessMeter(int sampleRate);

    void add(const std::int16_t *samples, std::size_t count);
    // 0 closed .. 255 wide open, one a step; the loud tenth of the steps opens it wide.
    std::vector<std::uint8_t> track() const;

private:
    std::size_t m_step;
    std::vector<double> m_loudness;
    double m_sum = 0;
    std::size_t m_inStep = 0;
};

} // namespace vortana
