// The record's score as the exit routine reads it: the leading number of any
// text a score file may hold. Checked against the standard library's own
// reading of a decimal number, and against rules any such reading keeps.
#include "runtime/RuntimeError.h"
#include "runtime/Val.h"
#include "speller/Currency.h"
#include "speller/Numlett.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vortana;

namespace {

enum Mode { Latin1, Utf8, Utf16, ModeCount };

[[noreturn]] void fail(const char *what, QStringView text, double got, double wanted)
{
    std::fprintf(stderr, "%s: Val(\"%s\") = %.17g, expected %.17g\n", what, qUtf8Printable(text.toString()), got,
                 wanted);
    std::abort();
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks, then the longest prefix std::from_chars takes as a decimal number,
// with 'd' for 'e' and '+' allowed before it; no number at all is 0, and so is
// one beyond the range of a double.
double reference(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string ascii;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char a = c < 0x80 ? static_cast<char>(c) : '#';
        ascii += a == 'd' || a == 'D' ? 'e' : a;
    }
    std::size_t start = 0;
    if (!ascii.empty() && ascii[0] == '+')
        start = 1;
    std::size_t mantissa = start;
    if (mantissa < ascii.size() && ascii[mantissa] == '-' && start == 0)
        ++mantissa;
    // Only digits or a point may begin it: "inf" and "nan" are no numbers here.
    if (mantissa >= ascii.size() || !(isDigit(ascii[mantissa]) || ascii[mantissa] == '.'))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(ascii.data() + start, ascii.data() + ascii.size(), value);
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

bool same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkVal(const QString &text)
{
    const double value = Val(text);
    if (!std::isfinite(value))
        fail("not a finite number", text, value, 0.0);
    const double wanted = reference(text);
    if (!same(value, wanted))
        fail("another reading than the standard library's", text, value, wanted);
    // A line break never continues a number, and blanks before it never count.
    if (!same(Val(text + u'\r'), value))
        fail("changed by a CR after it", text, Val(text + u'\r'), value);
    if (!same(Val(u'\t' + text), value))
        fail("changed by a blank before it", text, Val(u'\t' + text), value);
}

void checkCurrency(const QString &text)
{
    Currency amount;
    try {
        amount = Currency::fromText(text);
    } catch (const RuntimeError &error) {
        if (error.code() != ErrorCode::TypeMismatch && error.code() != ErrorCode::Overflow)
            std::abort();
        return;
    }
    const double whole = static_cast<double>(amount.tenThousandths()) / Currency::Scale;
    const double read = Val(text.trimmed());
    if (std::abs(read - whole) > 1e-4 + std::abs(whole) * 1e-15)
        fail("a currency amount read as another number", text, read, whole);
    numlett(amount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const char *bytes = reinterpret_cast<const char *>(data) + 1;
    const auto length = static_cast<qsizetype>(size) - 1;
    QString text;
    switch (data[0] % ModeCount) {
    case Latin1: text = QString::fromLatin1(bytes, length); break;
    case Utf8: text = QString::fromUtf8(bytes, length); break;
    case Utf16: text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes), length / 2); break;
    }
    checkVal(text);
    checkCurrency(text);
    return 0;
}
