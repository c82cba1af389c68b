#include "GameFixture.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "quiz/controls/Art.h"
#include "window/Credits.h"
#include "window/DialogBoxes.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenuBar>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <tuple>

using namespace vortana;
using namespace vortana::test;

namespace {

// A picture as drawn, to tell one from another.
QImage drawn(const QIcon &icon)
{
    return icon.pixmap(32).toImage();
}

// Where a control stands and how it looks when the window opens.
struct Control
{
    const char *name;
    QPoint topLeft;
    QSize size;
    QString text;
    bool visible;
    QColor fore;
    // The face drawn, as installed, its pixel size, weight, slant and where the text stands.
    const char *face;
    int pixelSize;
    int weight;
    bool italic;
    Qt::Alignment align;
    QStringList pictures; // a button's: normal, pressed, disabled
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
        const char *sans = "Liberation Sans", *serif = "Liberation Serif", *lato = "Lato";
        const int bold = QFont::Bold, normal = QFont::Normal;
        const Qt::Alignment left = Qt::AlignLeft, centred = Qt::AlignHCenter, none;
        // One of each kind of control, caption and face: the rest of the form is built the same way.
        const Control controls[] = {
            {"lblNum1", {256, 0}, fits, "", false, black, sans, 64, bold, false, centred, {}},
            {"lblMessage", {424, 136}, fits, "io", true, red, lato, 32, bold, true, centred, {}},
            {"Text3", {208, 336}, {457, 75}, "Text3", true, blue, sans, 64, normal, false, centred, {}},
            {"cmdNext", {208, 424}, {121, 57}, "&Nuovo calcolo", true, black, lato, 11, bold, false, none,
             {"next-normal", "next-pressed", "next-disabled"}},
            {"Label6", {24, 16}, fits, "Risposte esatte", true, pale, serif, 29, normal, false, centred, {}},
            {"Image1", {659, 8}, {32, 32}, "", true, black, lato, 11, normal, false, left, {}},
            {"lblconto", {624, 80}, {105, 25}, "00.07.00", true, yellow, lato, 16, QFont::Black, false, centred, {}},
            {"Label12", {8, 512}, {153, 25}, QStringLiteral("Il record  è di "), true, violet, lato, 24, normal, false, left, {}},
            {"Text1", {240, 136}, {129, 27}, "0", false, black, lato, 16, bold, false, left, {}},
            {"Txtnome1", {552, 248}, {89, 41}, "Text8", false, black, lato, 11, normal, false, left, {}},
            {"Command3", {288, 128}, {65, 29}, "verifica", false, black, lato, 11, normal, false, none, {}}};
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
        const QFontInfo face(control->font());
        QCOMPARE(face.family(), QLatin1String(expected.face));
        QCOMPARE(std::tuple(face.pixelSize(), face.weight(), face.italic()),
                 std::tuple(expected.pixelSize, expected.weight, expected.italic));
        if (auto *label = qobject_cast<Label *>(control)) {
            QCOMPARE(label->caption(), expected.text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->palette().color(QPalette::WindowText), expected.fore);
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, expected.align);
        } else if (auto *box = qobject_cast<TextBox *>(control)) {
            QCOMPARE(box->text(), expected.text);
            QCOMPARE(box->palette().color(QPalette::Text), expected.fore);
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, expected.align);
        } else if (auto *button = qobject_cast<PictureButton *>(control)) {
            QCOMPARE(button->text(), expected.text);
            if (expected.pictures.isEmpty())
                return;
            const bool enabled = button->isEnabled();
            for (int state = 0; state < 3; ++state) {
                button->setEnabled(state < 2);
                button->setDown(state == 1);
                QVERIFY2(drawn(button->currentPicture()) == drawn(art::icon(expected.pictures[state])),
                         qPrintable(expected.pictures[state]));
            }
            button->setDown(false);
            button->setEnabled(enabled);
            // Each state draws a picture of its own: pictures drawn blank would all match.
            QVERIFY(drawn(art::icon(expected.pictures[0])) != drawn(art::icon(expected.pictures[1])));
            QVERIFY(drawn(art::icon(expected.pictures[0])) != drawn(art::icon(expected.pictures[2])));
        }
    }

    void windowAndMenus()
    {
        Tavola &window = *m_game.window;
        QCOMPARE(window.centralWidget()->size(), QSize(785, 556));
        // Each picture stands on nothing: no square shows round the window's icon, the stopwatch, a pointer, a button's face.
        for (const QPixmap &picture : {window.windowIcon().pixmap(32), m_game.c().Image1->pixmap(), window.cursor().pixmap(),
                                       m_game.c().cmdExit1->currentPicture().pixmap(32)})
            QCOMPARE(qAlpha(picture.toImage().pixel(0, 0)), 0);
        const QList<QAction *> menus = window.menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QStringList lines;
        for (const QAction *menu : menus) {
            lines << menu->text();
            for (const QAction *entry : menu->menu()->actions())
                lines << u' ' + entry->text();
        }
        const auto line = [](const char16_t *text) { return QString::fromUtf16(text).replace(u'&', QStringLiteral("&&")); };
        QCOMPARE(lines, QStringList({line(credits::Site), u' ' + line(credits::School), line(credits::Authors),
                                     u' ' + line(credits::AuthorsAddress), u' ' + line(credits::Email),
                                     QStringLiteral("Software freeware"), u' ' + line(credits::Dedication)}));
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

    // Both boxes stand over the window, show their text as typed, plainly and
    // with no icon; the name box gives what was typed unless it was cancelled.
    void boxes_data()
    {
        QTest::addColumn<bool>("input"); // the name box; otherwise a message
        QTest::addColumn<QString>("text"); // the prompt or the message
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("name");
        const QString a248(248, u'a'), prompt = QStringLiteral("Come ti <b>chiami</b>?");
        QTest::newRow("greeting") << false << QStringLiteral(" <b>Eva</b> <img src=\"x\"> &amp; vediamo se sei un vero campione  ")
                                  << "" << false << "";
        QTest::newRow("emoji within the limit") << true << prompt << a248 + QStringLiteral("🦉") << false << a248 + QStringLiteral("🦉");
        QTest::newRow("emoji cut by the limit, dropped whole") << true << prompt << a248 + QStringLiteral("a🦉") << false << a248 + u'a';
        QTest::newRow("typed, then cancelled") << true << prompt << "Eva" << true << "";
    }

    void boxes()
    {
        QFETCH(bool, input);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        QFETCH(bool, cancel);
        QFETCH(QString, name);
        QWidget window;
        // What the labels show, whether all show it as plain text, and whether any shows a picture (an icon).
        QString shown, title;
        QStringList buttons;
        bool plain = true, picture = false;
        QWidget *parent = nullptr;
        // Once the box's own event loop runs.
        QTimer::singleShot(0, [&] {
            QDialog *box = nullptr;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QDialog *>(top); dialog && dialog->isVisible())
                    box = dialog;
            }
            for (const QLabel *label : box->findChildren<QLabel *>()) {
                shown += label->text();
                plain = plain && (label->text().isEmpty() || label->textFormat() == Qt::PlainText);
                picture = picture || !label->pixmap().isNull();
            }
            for (const QAbstractButton *button : box->findChildren<QAbstractButton *>())
                buttons << button->text();
            parent = box->parentWidget();
            title = box->windowTitle();
            if (auto *edit = box->findChild<QLineEdit *>())
                edit->insert(typed);
            cancel ? box->reject() : box->accept();
        });
        DialogBoxes boxes(&window);
        if (input)
            QCOMPARE(boxes.InputBox(text), name);
        else
            boxes.MsgBox(text);
        QCOMPARE(shown, text);
        QVERIFY(plain && !picture);
        QCOMPARE(parent, &window);
        QCOMPARE(title, QStringLiteral("Vortana"));
        buttons.sort();
        QCOMPARE(buttons, input ? QStringList({"Annulla", "OK"}) : QStringList({"OK"}));
    }
};

QTEST_MAIN(TestTavola)
#include "tst_tavola.moc"
