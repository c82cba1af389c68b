#include "character/voice/SpeechText.h"

#include <QStringView>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vortana {

namespace {

// Letters of another script send the engine to that language's rules, and a
// second switch inside them (a digit, a sign, a letter of a third script in
// the same word) makes it read memory it has freed. Only what the Italian
// rules read themselves reaches it: Latin letters, marks, digits, punctuation
// and symbols; another script's letters are silent.
bool speakable(char32_t character)
{
    // Signs of no script that still send the engine to Greek, Georgian or
    // Hindi rules, with the same result: found by trying every code point,
    // and the dandas by the fuzzer after another sign ("«।").
    constexpr char32_t Switching[] = {U'\u0385', U'\u0387', U'\u0964', U'\u0965', U'\u10FB'};
    if (std::find(std::begin(Switching), std::end(Switching), character) != std::end(Switching))
        return false;
    switch (QChar::script(character)) {
    case QChar::Script_Latin:
    case QChar::Script_Common:
    case QChar::Script_Inherited:
        return true;
    default:
        return false;
    }
}

} // namespace

SpeechText::SpeechText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        m_starts.push_back(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t pair = QChar::surrogateToUcs4(c, text.at(i + 1));
            if (!speakable(pair))
                clean += u' ';
            else
                clean.append(c).append(text.at(i + 1));
            ++i;
            continue;
        }
        // Control characters, lone surrogates and the engine's traps become
        // blanks, one for each character, so that positions still line up
        // with the caller's text.
        const bool plain = !c.isSurrogate() && c.category() != QChar::Other_Control && speakable(c.unicode());
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

} // namespace vortana
