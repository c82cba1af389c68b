#pragma once

#include <cstdint>

namespace vortana {

// The game's counters, factors and clock fields: 16-bit signed, and every sum,
// difference and product is checked, raising "Overflow" instead of wrapping.
class Int16
{
public:
    constexpr Int16() = default;
    constexpr Int16(std::int16_t value) : m_value(value) {}

    // Converts a wider result, raising "Overflow" when it does not fit.
    static Int16 fromWide(long long value);

    constexpr std::int16_t value() const { return m_value; }
    constexpr operator std::int16_t() const { return m_value; }

    friend Int16 operator+(Int16 a, Int16 b) { return fromWide(static_cast<long long>(a.m_value) + b.m_value); }
    friend Int16 operator-(Int16 a, Int16 b) { return fromWide(static_cast<long long>(a.m_value) - b.m_value); }
    friend Int16 operator*(Int16 a, Int16 b) { return fromWide(static_cast<long long>(a.m_value) * b.m_value); }
    Int16 &operator+=(Int16 other) { return *this = *this + other; }
    Int16 &operator-=(Int16 other) { return *this = *this - other; }

private:
    std::int16_t m_value = 0;
};

} // namespace vortana
