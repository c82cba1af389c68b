#include "runtime/Picture.h"

#include <cmath>

namespace vortana {

QString formatPicture(long long value, QStringView picture)
{
    const auto minDigits = static_cast<int>(picture.count(QLatin1Char('0')));
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    QString digits = QString::number(magnitude);
    if (digits.size() < minDigits)
        digits.prepend(QString(minDigits - digits.size(), QLatin1Char('0')));
    if (negative)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

QString formatPicture(double value, QStringView picture)
{
    return formatPicture(static_cast<long long>(std::nearbyint(value)), picture);
}

} // namespace vortana
