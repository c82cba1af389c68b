#include "window/DialogBoxes.h"

#include "runtime/Trace.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace vortana {

namespace {

const QString Title = QStringLiteral("Vortana");

// The old boxes had plain buttons; some styles put pictures on them.
void plainButtons(QWidget *dialog)
{
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        button->setIcon(QIcon());
}

} // namespace

QString DialogBoxes::InputBox(const QString &prompt)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(Title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    for (QLabel *label : dialog.findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    // A name longer than this could not be shown or stored sensibly.
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMaxLength(MaxNameLength);
    dialog.show();
    plainButtons(&dialog);
    trace("box-open");
    const int result = dialog.exec();
    trace("box-closed");
    if (result != QDialog::Accepted)
        return QString();
    QString name = dialog.textValue();
    // The limit counts UTF-16 units and may cut an emoji in two: its first
    // half alone cannot be stored, and would come back as '?'.
    if (!name.isEmpty() && name.back().isHighSurrogate())
        name.chop(1);
    return name;
}

void DialogBoxes::MsgBox(const QString &text)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(Title);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    plainButtons(&box);
    trace("box-open");
    box.exec();
    trace("box-closed");
}

} // namespace vortana
