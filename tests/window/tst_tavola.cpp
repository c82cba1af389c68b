#include "GameFixture.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "window/DialogBoxes.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vortana;
using namespace vortana::test;

namespace {

// Acts on the modal box once its own event loop runs.
void whenOpen(const std::function<void(QDialog *)> &act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QDialog *>(window); box && box->isVisible())
                return act(box);
        }
    });
}

// The text of every label that shows some, and whether all show it as plain text.
std::pair<QString, bool> labelsOf(QWidget *box)
{
    QString text;
    bool plain = true;
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        text += label->text();
        plain = plain && (label->text().isEmpty() || label->textFormat() == Qt::PlainText);
    }
    return {text, plain};
}

// Where a control stands and how it looks when the window opens.
struct Control
{
    const char *name;
    QPoint topLeft;
    QSize size;
    QString text;
    bool visible;
    int pixelSize;
    QColor fore;
};

} // namespace

Q_DECLARE_METATYPE(Control)

class TestTavola : public QObject
{
    Q_OBJECT

    GameFixture m_game;

private Q_SLOTS:
    void controls_data()
    {
        QTest::addColumn<Control>("expected");
        const QSize fits; // an empty size: the control fits its text
        const QColor black(Qt::black), yellow(255, 255, 0), pale(255, 255, 128), red(255, 0, 0), blue(0, 0, 255),
            violet(0xC0, 0, 0xC0);
        // One of each kind of control and caption: the rest of the form is built the same way.
        const Control controls[] = {
            {"lblNum1", {256, 0}, fits, "", false, 64, black}, {"lblMessage", {424, 136}, fits, "io", true, 32, red},
            {"Text3", {208, 336}, {457, 75}, "Text3", true, 64, blue},
            {"cmdNext", {208, 424}, {121, 57}, "&Nuovo calcolo", true, 11, black},
            {"Label6", {24, 16}, fits, "Risposte esatte", true, 29, pale}, {"Image1", {659, 8}, {32, 32}, "", true, 11, black},
            {"lblconto", {624, 80}, {105, 25}, "00.07.00", true, 16, yellow},
            {"Label12", {8, 512}, {153, 25}, QStringLiteral("Il record  è di "), true, 24, violet},
            {"Text1", {240, 136}, {129, 27}, "0", false, 16, black}, {"Txtnome1", {552, 248}, {89, 41}, "Text8", false, 11, black},
            {"Command3", {288, 128}, {65, 29}, "verifica", false, 11, black}};
        for (const Control &control : controls)
            QTest::newRow(control.name) << control;
    }

    void controls()
    {
        QFETCH(Control, expected);
        auto *control = m_game.window->findChild<QWidget *>(QLatin1String(expected.name));
        QVERIFY(control);
        QCOMPARE(control->pos(), expected.topLeft);
        QCOMPARE(control->size(), expected.size.isValid() ? expected.size : control->sizeHint());
        QCOMPARE(control->isVisibleTo(m_game.window.get()), expected.visible);
        QCOMPARE(control->font().pixelSize(), expected.pixelSize);
        if (auto *label = qobject_cast<Label *>(control)) {
            QCOMPARE(label->caption(), expected.text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->palette().color(QPalette::WindowText), expected.fore);
        } else if (auto *box = qobject_cast<TextBox *>(control)) {
            QCOMPARE(box->text(), expected.text);
            QCOMPARE(box->palette().color(QPalette::Text), expected.fore);
        } else if (auto *button = qobject_cast<PictureButton *>(control)) {
            QCOMPARE(button->text(), expected.text);
        }
    }

    void windowAndMenus()
    {
        Tavola &window = *m_game.window;
        QCOMPARE(window.centralWidget()->size(), QSize(785, 556));
        const QList<QAction *> menus = window.menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[2]->text(), QStringLiteral("Software freeware"));
        QList<qsizetype> entries;
        for (const QAction *menu : menus)
            entries << menu->menu()->actions().size();
        QCOMPARE(entries, QList<qsizetype>({1, 2, 1}));
    }

    // Tab skips what is hidden or disabled; closing from the title bar ends
    // at once, without a box.
    void tabOrderAndClosing()
    {
        GameFixture game;
        game.start();
        game.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
        const auto tabFrom = [](QWidget *from) {
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Tab);
            return QApplication::focusWidget()->objectName();
        };
        QCOMPARE(tabFrom(game.c().cmdExit1), QStringLiteral("Text3"));
        QCOMPARE(tabFrom(game.c().Text3), QStringLiteral("cmdExit1"));
        game.c().cmdNext->setEnabled(true);
        QCOMPARE(tabFrom(game.c().Text3), QStringLiteral("cmdNext"));
        game.c().Text3->insert(QString(300, u'7'));
        QCOMPARE(game.c().Text3->text().size(), 250);
        game.window->close();
        QCOMPARE(game.endedWith, std::optional<int>(0));
        QVERIFY(game.boxes.shown.isEmpty());
    }

    void namePrompt_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        const QString a248(248, u'a');
        QTest::newRow("300 typed, 250 kept") << "" << QString(300, u'b') << QString(250, u'b');
        QTest::newRow("emoji within the limit") << a248 + QStringLiteral("🦉") << "" << a248 + QStringLiteral("🦉");
        QTest::newRow("emoji cut by the limit, dropped whole") << a248 + QStringLiteral("a🦉") << "" << a248 + u'a';
        QTest::newRow("cancelled") << "" << "" << "";
    }

    void namePrompt()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        bool plain = false;
        whenOpen([&](QDialog *box) {
            plain = labelsOf(box).second;
            auto *edit = box->findChild<QLineEdit *>();
            QApplication::clipboard()->setText(pasted);
            edit->paste();
            QTest::keyClicks(edit, typed);
            QTest::currentDataTag() == QByteArrayView("cancelled") ? box->reject() : box->accept();
        });
        QCOMPARE(DialogBoxes().InputBox(QStringLiteral("Come ti <b>chiami</b>?")), name);
        QVERIFY(plain);
    }

    void messageShowsItsTextAsTyped()
    {
        const QString greeting = QStringLiteral(" <b>Eva</b> <img src=\"x\"> &amp; vediamo se sei un vero campione  ");
        std::pair<QString, bool> shown;
        whenOpen([&](QDialog *box) {
            shown = labelsOf(box);
            box->accept();
        });
        DialogBoxes().MsgBox(greeting);
        QCOMPARE(shown, std::pair(greeting, true));
    }
};

QTEST_MAIN(TestTavola)
#include "tst_tavola.moc"
