#pragma once

#include <QStringView>

#include <array>
#include <optional>

namespace vortana {

// The praise that comes after a right answer, keyed by the number of right
// answers given before it.
struct Praise
{
    int before;
    QStringView animation;
    QStringView words;
};

constexpr std::array<Praise, 8> PraiseLadder{{
    {2, u"congratulate", u"Sei grande"},
    {5, u"domagic1", u"Sei forte"},
    {10, u"congratulate", u"Sei sulla buona strada per diventare cavaliere"},
    {13, u"domagic2", u"Sei in gamba"},
    {14, u"congratulate", u"Sei eccezionale"},
    {18, u"congratulate", u"Sei insuperabile"},
    {23, u"congratulate", u"Ti nomino cavaliere della tabellina, il massimo ordine per un eroe"},
    {27, u"congratulate", u"Hai lavorato bene mio leale campione: sei invincibile"},
}};

// The scores at which the character calls the child by name.
constexpr std::array<int, 5> NameCalls{3, 7, 12, 21, 26};

constexpr std::optional<Praise> praiseAfter(double before)
{
    for (const Praise &praise : PraiseLadder) {
        if (praise.before == before)
            return praise;
    }
    return std::nullopt;
}

} // namespace vortana
