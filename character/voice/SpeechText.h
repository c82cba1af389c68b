#pragma once

#include "character/voice/Utterance.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace vortana {

// A text as the speech engine gets it, and the way back from the engine's
// 1-based character positions to places in the original QString.
class SpeechText
{
public:
    explicit SpeechText(const QString &text);

    QByteArray utf8() const { return m_utf8; }
    WordMark mark(int position, int length, int milliseconds) const;

private:
    qsizetype indexOf(int position) const;

    QByteArray m_utf8;
    std::vector<qsizetype> m_starts; // QString index of each code point, and the end
};

} // namespace vortana
