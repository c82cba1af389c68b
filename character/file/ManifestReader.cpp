#include "character/file/ManifestReader.h"

#include "runtime/RuntimeError.h"

#include <cmath>

namespace vortana {

void ManifestReader::fail(const QString &what) const
{
    throw RuntimeError(ErrorCode::PathFileAccess,
                       QStringLiteral("File del personaggio \"%1\": %2").arg(m_path, what));
}

QJsonObject ManifestReader::object(const QJsonValue &value, const QString &where) const
{
    if (!value.isObject())
        fail(QStringLiteral("%1 manca o non è un oggetto").arg(where));
    return value.toObject();
}

QString ManifestReader::text(const QJsonObject &object, const char *key, const QString &where) const
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString() || value.toString().isEmpty())
        fail(QStringLiteral("%1.%2 manca o non è un testo").arg(where, QLatin1String(key)));
    return value.toString();
}

int ManifestReader::integer(const QJsonObject &object, const char *key, int low, int high,
                            const QString &where) const
{
    const QJsonValue value = object.value(QLatin1String(key));
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) || number < low || number > high)
        fail(QStringLiteral("%1.%2 dev'essere un intero fra %3 e %4")
                 .arg(where, QLatin1String(key)).arg(low).arg(high));
    return static_cast<int>(number);
}

int ManifestReader::integer(const QJsonObject &object, const char *key, int low, int high,
                            const QString &where, int fallback) const
{
    if (object.value(QLatin1String(key)).isUndefined())
        return fallback;
    return integer(object, key, low, high, where);
}

double ManifestReader::number(const QJsonObject &object, const char *key, double low, double high,
                              const QString &where, double fallback) const
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || !(number >= low && number <= high))
        fail(QStringLiteral("%1.%2 dev'essere un numero fra %3 e %4")
                 .arg(where, QLatin1String(key)).arg(low).arg(high));
    return number;
}

} // namespace vortana
