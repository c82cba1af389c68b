#pragma once

#include <QAccessibleWidget>

class QLabel;

namespace vortana {

// What a screen reader reads for a label whose caption is a value (a factor,
// a score, the clock): the label's meaning, then its caption, as in
// "Punteggio: 3". Qt's own label would offer the bare caption, or with an
// accessible name only the name, hiding the value. The caption stays the
// source, so Qt's name-changed event still goes out when it changes.
class LabelAccessible : public QAccessibleWidget
{
public:
    LabelAccessible(QLabel *label, QString meaning);

    QString text(QAccessible::Text kind) const override;

    // Gives a label its meaning and makes sure screen readers get it through
    // this class.
    static void setMeaning(QLabel *label, const QString &meaning);

private:
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QString m_meaning;
};

} // namespace vortana
