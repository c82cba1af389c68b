#include "speller/Numlett.h"

#include <array>
#include <cmath>
#include <string_view>

namespace vortana {

namespace {

// Slot v + 1 is the value v up to 19, slot t + 19 the tens digit t from 2 on.
// The word for 17 keeps the three t's the game has always spoken.
constexpr std::array<std::u16string_view, 29> numberWords{
    u"",         u"",           u"uno",         u"due",          u"tre",
    u"quattro",  u"cinque",     u"sei",         u"sette",        u"otto",
    u"nove",     u"dieci",      u"undici",      u"dodici",       u"tredici",
    u"quattordici", u"quindici", u"sedici",     u"diciassettte", u"diciotto",
    u"diciannove", u"venti",    u"trenta",      u"quaranta",     u"cinquanta",
    u"sessanta", u"settanta",   u"ottanta",     u"novanta",
};

constexpr std::array<double, 4> groupScales{1.0, 1e3, 1e6, 1e9};
constexpr std::int64_t SupportedEnd = 1'000'000'000'000;
constexpr qsizetype LongestResult = 112;

void appendSlot(QString &text, int slot)
{
    const std::u16string_view word = numberWords[static_cast<std::size_t>(slot)];
    text.append(QStringView(word.data(), static_cast<qsizetype>(word.size())));
}

void appendGroup(QString &text, int group)
{
    int rest = group;
    if (rest > 99) {
        const int hundreds = rest / 100;
        rest -= 100 * hundreds;
        if (hundreds != 1)
            appendSlot(text, hundreds + 1);
        text.append(u"cento");
    }
    if (rest <= 20) {
        appendSlot(text, rest + 1);
        return;
    }
    const int tens = rest / 10;
    appendSlot(text, tens + 19);
    rest -= 10 * tens;
    if (rest == 1 || rest == 8)
        text.chop(1);
    appendSlot(text, rest + 1);
}

void appendScale(QString &text, std::size_t k, bool single)
{
    switch (k) {
    case 3:
        if (single)
            text = QStringLiteral("unmiliardo");
        else
            text.append(u"miliardi");
        break;
    case 2:
        if (single) {
            text.chop(3);
            text.append(u"unmilione");
        } else {
            text.append(u"milioni");
        }
        break;
    case 1:
        if (single) {
            text.chop(3);
            text.append(u"mille");
        } else {
            text.append(u"mila");
        }
        break;
    default:
        break;
    }
}

} // namespace

QString numlett(Currency n)
{
    // The fraction is dropped before the double arithmetic: a value such as
    // 999 999 999 999.9999 would otherwise round up to 10^12 in a double.
    const std::int64_t whole = n.wholePart();
    // From 10^12 on the billions group no longer fits the table; no question
    // asks for such a number, so it is left unspelled like one below 1.
    if (whole < 1 || whole >= SupportedEnd)
        return {};

    QString text;
    text.reserve(LongestResult);
    double rest = static_cast<double>(whole);
    for (std::size_t k = groupScales.size(); k-- > 0;) {
        const double group = std::floor(rest / groupScales[k]);
        if (group <= 0)
            continue;
        appendGroup(text, static_cast<int>(group));
        appendScale(text, k, group == 1);
        rest -= group * groupScales[k];
    }
    return text;
}

} // namespace vortana
