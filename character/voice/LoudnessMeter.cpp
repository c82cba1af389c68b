#include "character/voice/LoudnessMeter.h"

#include "character/voice/Utterance.h"

#include <algorithm>
#include <cmath>

namespace vortana {

LoudnessMeter::LoudnessMeter(int sampleRate)
    : m_step(std::max<std::size_t>(1, std::size_t(std::max(sampleRate, 0)) * Utterance::MouthStep.count() / 1000))
{
}

void LoudnessMeter::add(const std::int16_t *samples, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        m_sum += double(samples[i]) * samples[i];
        if (++m_inStep == m_step) {
            m_loudness.push_back(std::sqrt(m_sum / double(m_step)));
            m_sum = 0;
            m_inStep = 0;
        }
    }
}

std::vector<std::uint8_t> LoudnessMeter::track() const
{
    std::vector<double> loudness = m_loudness;
    if (m_inStep > 0)
        loudness.push_back(std::sqrt(m_sum / double(m_inStep)));
    std::vector<double> sorted = loudness;
    std::sort(sorted.begin(), sorted.end());
    const double loud = sorted.empty() ? 0 : std::max(1.0, sorted[sorted.size() * 9 / 10]);
    std::vector<std::uint8_t> track;
    track.reserve(loudness.size());
    for (double level : loudness)
        track.push_back(std::uint8_t(std::clamp(level / loud, 0.0, 1.0) * 255));
    return track;
}

} // namespace vortana
