#include "character/SpeechText.h"

#include <QStringView>

#include <algorithm>
#include <cmath>

namespace vortana {

SpeechText::SpeechText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            m_starts.push_back(i);
            clean += c;
            clean += text.at(++i);
            continue;
        }
        m_starts.push_back(i);
        // Control characters and lone surrogates become blanks, one for one,
        // so that positions still line up with the caller's text.
        const bool plain = !c.isSurrogate() && c.category() != QChar::Other_Control && c != QChar::Null;
        clean += plain ? c : QChar(u' ');
    }
    m_starts.push_back(text.size());
    m_utf8 = clean.toUtf8();
}

qsizetype SpeechText::indexOf(int position) const
{
    const auto last = qsizetype(m_starts.size()) - 1;
    return m_starts[std::clamp<qsizetype>(position - 1, 0, last)];
}

WordMark SpeechText::mark(int position, int length, int milliseconds) const
{
    const qsizetype start = indexOf(position);
    const qsizetype end = std::max(start, indexOf(position + std::max(length, 0)));
    return {start, end - start, std::chrono::milliseconds(std::max(milliseconds, 0))};
}

std::vector<std::uint8_t> SpeechText::mouthTrack(const std::vector<std::int16_t> &samples, int sampleRate)
{
    const auto step = std::max<std::size_t>(1, std::size_t(sampleRate) * Utterance::MouthStep.count() / 1000);
    std::vector<double> loudness;
    for (std::size_t at = 0; at < samples.size(); at += step) {
        const std::size_t end = std::min(samples.size(), at + step);
        double sum = 0;
        for (std::size_t i = at; i < end; ++i)
            sum += double(samples[i]) * samples[i];
        loudness.push_back(std::sqrt(sum / double(end - at)));
    }
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
