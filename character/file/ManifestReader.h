#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace vortana {

// Field access for a character manifest; any field that is missing or out of
// range ends the load with a RuntimeError naming the file and the field.
class ManifestReader
{
public:
    explicit ManifestReader(QString path) : m_path(std::move(path)) {}

    [[noreturn]] void fail(const QString &what) const;
    QJsonObject object(const QJsonValue &value, const QString &where) const;
    QString text(const QJsonObject &object, const char *key, const QString &where) const;
    int integer(const QJsonObject &object, const char *key, int low, int high, const QString &where) const;
    int integer(const QJsonObject &object, const char *key, int low, int high, const QString &where,
                int fallback) const;
    // An optional number; `fallback` when absent.
    double number(const QJsonObject &object, const char *key, double low, double high, const QString &where,
                  double fallback) const;

private:
    QString m_path;
};

} // namespace vortana
