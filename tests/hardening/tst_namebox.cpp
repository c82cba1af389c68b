#include "window/DialogBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vortana;

namespace {

// Acts on the modal box once its own event loop has shown it.
void whenOpen(const std::function<void(QDialog *)> &act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QDialog *>(window);
            if (box && box->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(box);
                return;
            }
        }
    });
    poll->start(10);
}

// Every label that shows text shows it as plain text.
bool allPlain(QWidget *box)
{
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->textFormat() != Qt::PlainText)
            return false;
    }
    return true;
}

} // namespace

// The real boxes: the name prompt and the message box.
class TestNameBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namePrompt_data();
    void namePrompt();
    void messageShowsTheNameAsTyped();
};

void TestNameBox::namePrompt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("name");

    const QString a249(249, u'a');
    QTest::newRow("typed") << "type" << "Mario" << "Mario";
    QTest::newRow("markup typed") << "type" << "<b>Eva</b> <img src=x>" << "<b>Eva</b> <img src=x>";
    QTest::newRow("300 typed, 250 kept") << "type" << QString(300, u'b') << QString(250, u'b');
    QTest::newRow("300 pasted, 250 kept") << "paste" << QString(300, u'c') << QString(250, u'c');
    QTest::newRow("line break pasted") << "paste" << "Anna\nMaria" << "Anna\nMaria";
    QTest::newRow("emoji pasted within the limit") << "paste" << a249.left(248) + QStringLiteral("🦉")
                                                   << a249.left(248) + QStringLiteral("🦉");
    QTest::newRow("emoji cut by the limit") << "paste" << a249 + QStringLiteral("🦉") << a249;
    QTest::newRow("cancelled") << "cancel" << "Mario" << "";
}

void TestNameBox::namePrompt()
{
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, name);

    bool plain = false;
    whenOpen([&](QDialog *box) {
        plain = allPlain(box);
        auto *edit = box->findChild<QLineEdit *>();
        QVERIFY(edit);
        if (how == QLatin1String("paste")) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            QTest::keyClicks(edit, input);
        }
        how == QLatin1String("cancel") ? box->reject() : box->accept();
    });
    DialogBoxes boxes;
    QCOMPARE(boxes.InputBox(QStringLiteral("Come ti <b>chiami</b>?")), name);
    QVERIFY(plain);
}

void TestNameBox::messageShowsTheNameAsTyped()
{
    const QString greeting = QStringLiteral(" <b>Eva</b> <img src=\"x\"> &amp; ") + QString(250, u'w')
        + QStringLiteral(" vediamo se sei un vero campione  ");
    QString shown;
    bool plain = false;
    whenOpen([&](QDialog *box) {
        plain = allPlain(box);
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                shown = label->text();
        }
        box->accept();
    });
    DialogBoxes boxes;
    boxes.MsgBox(greeting);
    QVERIFY(plain);
    QCOMPARE(shown, greeting);
}

QTEST_MAIN(TestNameBox)
#include "tst_namebox.moc"
