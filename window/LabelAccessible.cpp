#include "window/LabelAccessible.h"

#include <QLabel>

namespace vortana {

namespace {

constexpr char MeaningProperty[] = "vortanaAccessibleMeaning";

} // namespace

LabelAccessible::LabelAccessible(QLabel *label, QString meaning)
    : QAccessibleWidget(label, QAccessible::StaticText), m_meaning(std::move(meaning))
{
}

QString LabelAccessible::text(QAccessible::Text kind) const
{
    if (kind != QAccessible::Name)
        return QAccessibleWidget::text(kind);
    // A name that a file supplied may hold line breaks: one line is read.
    const QString value = static_cast<const QLabel *>(widget())->text().simplified();
    return value.isEmpty() ? m_meaning : m_meaning + QStringLiteral(": ") + value;
}

void LabelAccessible::setMeaning(QLabel *label, const QString &meaning)
{
    label->setProperty(MeaningProperty, meaning);
    QAccessible::installFactory(&LabelAccessible::create);
    // Qt made the label's interface, without the meaning, when its first
    // caption was set (even with no screen reader about): have it made anew.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

QAccessibleInterface *LabelAccessible::create(const QString &, QObject *object)
{
    auto *label = qobject_cast<QLabel *>(object);
    if (!label)
        return nullptr;
    const QVariant meaning = label->property(MeaningProperty);
    return meaning.isValid() ? new LabelAccessible(label, meaning.toString()) : nullptr;
}

} // namespace vortana
