#pragma once

#include <QList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vortana {

class SampleChannel;

// When a word of the text starts to sound: its place in the text (QString
// indices) and its time from the start of the audio.
struct WordMark
{
    qsizetype start = 0;
    qsizetype length = 0;
    std::chrono::milliseconds at{0};
};

// A text rendered to sound, with what the balloon and the mouth need to follow it.
struct Utterance
{
    static constexpr std::chrono::milliseconds MouthStep{40};

    std::vector<std::int16_t> samples; // mono, 16-bit
    std::size_t sampleCount = 0;
    // A speech too long to keep whole leaves `samples` empty: this renders it
    // again, as it plays, into a channel the player reads.
    std::function<std::shared_ptr<SampleChannel>()> replay;
    int sampleRate = 22050;
    QList<WordMark> words;
    // How open the mouth is in each MouthStep of the audio, 0 = closed.
    std::vector<std::uint8_t> mouth;

    std::chrono::milliseconds length() const
    {
        return std::chrono::milliseconds(sampleRate > 0 ? qint64(sampleCount) * 1000 / sampleRate : 0);
    }
};

} // namespace vortana
