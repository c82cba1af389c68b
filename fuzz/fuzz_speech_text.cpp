// The texts the character speaks, the player's name among them. Whatever they
// hold, the speech engine gets plain UTF-8 with nothing it could take for a
// terminator or a control sequence, and every word it reports maps back to a
// place inside the text the balloon shows.
#include "character/voice/EspeakSynthesizer.h"
#include "character/voice/SpeechText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace vortana;

namespace {

// Longer texts are checked without the engine, which takes its time over them.
constexpr qsizetype MaxSynthesized = 160;

enum Mode { Utf8, Utf16, ModeCount };

[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s, for \"%s\"\n", what, qUtf8Printable(text));
    std::abort();
}

bool splitsAPair(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

void checkMark(const QString &text, const WordMark &mark)
{
    if (mark.start < 0 || mark.length < 0 || mark.start + mark.length > text.size())
        fail("a word outside the text", text);
    if (splitsAPair(text, mark.start) || splitsAPair(text, mark.start + mark.length))
        fail("a word boundary inside a character", text);
    if (mark.at.count() < 0)
        fail("a word before the start of the sound", text);
}

EspeakSynthesizer &synthesizer()
{
    static EspeakSynthesizer engine;
    if (!engine.failure().isEmpty())
        fail("no voice", engine.failure());
    return engine;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const char *bytes = reinterpret_cast<const char *>(data) + 3;
    const auto length = static_cast<qsizetype>(size) - 3;
    const QString text = data[0] % ModeCount == Utf8
        ? QString::fromUtf8(bytes, length)
        : QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes), length / 2);

    const SpeechText speech(text);
    const QByteArray utf8 = speech.utf8();
    if (!QByteArrayView(utf8).isValidUtf8())
        fail("the engine would get invalid UTF-8", text);
    for (const char byte : utf8) {
        if (static_cast<unsigned char>(byte) < 0x20)
            fail("the engine would get a control character", text);
    }
    checkMark(text, speech.mark(int(data[1]) - 8, int(data[2]) - 8, 0));

    if (text.size() > MaxSynthesized)
        return 0;
    const Utterance utterance = synthesizer().synthesize(text, VoiceSettings{});
    const auto slack = std::chrono::seconds(1);
    for (const WordMark &word : utterance.words) {
        checkMark(text, word);
        if (word.at > utterance.length() + slack)
            fail("a word after the end of the sound", text);
    }
    return 0;
}
