#include "speller/Currency.h"

#include "runtime/RuntimeError.h"

#include <QtNumeric>

namespace vortana {

namespace {

constexpr int MaxFractionDigits = 4;
constexpr qsizetype MaxQuotedLength = 40;
constexpr std::uint64_t MaxMagnitude = std::uint64_t{1} << 63;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Keeps an error box readable whatever was pasted into the text.
QString quoted(QStringView text)
{
    if (text.size() <= MaxQuotedLength)
        return QStringLiteral("«%1»").arg(text);
    return QStringLiteral("«%1…»").arg(text.first(MaxQuotedLength));
}

RuntimeError overflow(const QString &what)
{
    return RuntimeError(ErrorCode::Overflow,
                        QStringLiteral("%1 è fuori dall'intervallo dei valori di valuta").arg(what));
}

} // namespace

Currency Currency::fromWhole(long long whole)
{
    std::int64_t units = 0;
    if (qMulOverflow(static_cast<std::int64_t>(whole), Scale, &units))
        throw overflow(QString::number(whole));
    return fromTenThousandths(units);
}

Currency Currency::fromText(QStringView text)
{
    const QStringView s = text.trimmed();
    qsizetype pos = 0;
    const bool negative = !s.isEmpty() && s.front() == u'-';
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+'))
        ++pos;
    const qsizetype wholeStart = pos;
    while (pos < s.size() && isDigit(s[pos]))
        ++pos;
    const QStringView wholeDigits = s.sliced(wholeStart, pos - wholeStart);
    QStringView fractionDigits;
    if (pos < s.size() && s[pos] == u'.') {
        const qsizetype fractionStart = ++pos;
        while (pos < s.size() && isDigit(s[pos]))
            ++pos;
        fractionDigits = s.sliced(fractionStart, pos - fractionStart);
        if (fractionDigits.isEmpty() || fractionDigits.size() > MaxFractionDigits)
            pos = -1;
    }
    if (wholeDigits.isEmpty() || pos != s.size())
        throw RuntimeError(ErrorCode::TypeMismatch, QStringLiteral("%1 non è un numero").arg(quoted(text)));

    // The magnitude is gathered unsigned so that the most negative value fits.
    std::uint64_t magnitude = 0;
    bool overflowed = false;
    const auto push = [&](QChar digit) {
        overflowed = overflowed || qMulOverflow(magnitude, std::uint64_t{10}, &magnitude)
                     || qAddOverflow(magnitude, std::uint64_t(digit.unicode() - u'0'), &magnitude);
    };
    for (QChar digit : wholeDigits)
        push(digit);
    for (QChar digit : fractionDigits)
        push(digit);
    for (qsizetype i = fractionDigits.size(); i < MaxFractionDigits; ++i)
        push(u'0');
    if (overflowed || magnitude > MaxMagnitude - (negative ? 0 : 1))
        throw overflow(quoted(text));
    return fromTenThousandths(negative ? static_cast<std::int64_t>(0 - magnitude)
                                       : static_cast<std::int64_t>(magnitude));
}

} // namespace vortana
