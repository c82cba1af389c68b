#pragma once

#include <QStringView>

#include <cstdint>

namespace vortana {

// The old platform's currency type: a signed 64-bit count of ten-thousandths,
// so that four decimal places are exact.
class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromTenThousandths(std::int64_t units)
    {
        Currency value;
        value.m_units = units;
        return value;
    }

    // Raises "Overflow" when the number does not fit.
    static Currency fromWhole(long long whole);

    // An optional sign, digits, and optionally '.' with one to four digits;
    // blanks around it are ignored. Anything else raises "Type mismatch", a
    // number that does not fit raises "Overflow".
    static Currency fromText(QStringView text);

    constexpr std::int64_t tenThousandths() const { return m_units; }
    // Truncated toward zero.
    constexpr std::int64_t wholePart() const { return m_units / Scale; }

    friend constexpr bool operator==(Currency, Currency) = default;

private:
    std::int64_t m_units = 0;
};

} // namespace vortana
