#include "runtime/Val.h"

#include <charconv>
#include <cmath>
#include <string>

namespace vortana {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

} // namespace

double Val(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;

    std::string number;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        number += static_cast<char>(text[i++].unicode());
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            number += static_cast<char>(text[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;

    // An exponent counts only when digits follow it ("12e" reads as 12).
    if (i + 1 < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E') || text[i] == QLatin1Char('d')
                      || text[i] == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent += static_cast<char>(text[j++].unicode());
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                exponent += static_cast<char>(text[j++].unicode());
            number += exponent;
        }
    }
    // from_chars, not strtod: the decimal point must not follow the user's
    // locale, which the QApplication takes from the environment (Italian: ',').
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    // Beyond what a double holds, either way: no number the old runtime could read.
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

} // namespace vortana
