#include "GameFixture.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"

#include <QMenuBar>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

class TestTavola : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controls_data();
    void controls();
    void fittingLabelsFollowTheirCaption_data();
    void fittingLabelsFollowTheirCaption();
    void windowAndMenus();
    void tabOrderSkipsHiddenAndDisabled();
    void buttonsAnswerEnterSpaceAndAccessKeys();
    void answerBoxHoldsAtMost250();
    void closingFromTheTitleBarEndsAtOnce();

private:
    std::unique_ptr<GameFixture> m_game;
};

void TestTavola::initTestCase()
{
    m_game = std::make_unique<GameFixture>();
}

void TestTavola::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QSize>("size"); // an empty size: the control fits its text
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QColor>("fore");

    auto row = [](const char *name, QPoint at, QSize size, const QString &text, bool visible, int pixels,
                  QColor fore) { QTest::newRow(name) << QString::fromLatin1(name) << at << size << text << visible << pixels << fore; };
    const QSize fits;
    row("lblNum1", {256, 0}, fits, "", false, 64, Qt::black);
    row("Label10", {376, 8}, {41, 65}, "X", false, 64, Qt::black);
    row("lblNum2", {504, 0}, fits, "", false, 64, Qt::black);
    row("lblMessage", {424, 136}, fits, "io", true, 32, QColor(255, 0, 0));
    row("Text3", {208, 336}, {457, 75}, "Text3", true, 64, QColor(0, 0, 255));
    row("cmdNext", {208, 424}, {121, 57}, "&Nuovo calcolo", true, 11, Qt::black);
    row("cmdExit1", {544, 424}, {121, 57}, "E&xit", true, 11, Qt::black);
    row("Label6", {24, 16}, fits, "Risposte esatte", true, 29, QColor(255, 255, 128));
    row("lblScore", {96, 56}, fits, "0", true, 29, QColor(255, 255, 128));
    row("Label1", {24, 104}, fits, "Risposte errate", true, 29, QColor(255, 0, 0));
    row("lblScore1", {104, 144}, fits, "0", true, 29, QColor(255, 0, 0));
    row("Label3", {24, 192}, fits, "Risposte totali", true, 29, QColor(0, 0, 255));
    row("lblScore2", {104, 240}, fits, "0", true, 29, QColor(0, 0, 255));
    row("Image1", {659, 8}, {32, 32}, "", true, 11, Qt::black);
    row("Label11", {618, 48}, {121, 41}, "Tempo restante", true, 19, QColor(255, 255, 0));
    row("lblconto", {624, 80}, {105, 25}, "00.07.00", true, 16, QColor(255, 255, 0));
    row("Label14", {8, 424}, fits, "Sfidante", true, 18, QColor(255, 255, 0));
    row("lblnome1", {8, 480}, fits, "", true, 18, QColor(255, 255, 0));
    row("Label12", {8, 512}, {153, 25}, QStringLiteral("Il record  è di "), true, 24, QColor(0xC0, 0, 0xC0));
    row("lblnome", {160, 512}, fits, "nome", true, 24, QColor(0, 0, 255));
    row("Label13", {400, 512}, fits, "con punti", true, 24, QColor(0xC0, 0, 0xC0));
    row("lblpunti", {512, 512}, fits, "0", true, 24, QColor(0xC0, 0, 0xC0));
    row("Text1", {240, 136}, {129, 27}, "0", false, 16, Qt::black);
    row("Text6", {688, 384}, {161, 73}, "Text6", false, 11, Qt::black);
    row("Text7", {304, 232}, {73, 73}, "Text7", false, 11, Qt::black);
    row("Txtnome1", {552, 248}, {89, 41}, "Text8", false, 11, Qt::black);
    row("Command3", {288, 128}, {65, 29}, "verifica", false, 11, Qt::black);
}

void TestTavola::controls()
{
    QFETCH(QString, name);
    QFETCH(QPoint, topLeft);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    QFETCH(bool, visible);
    QFETCH(int, pixelSize);
    QFETCH(QColor, fore);

    auto *control = m_game->window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->pos(), topLeft);
    if (size.isValid())
        QCOMPARE(control->size(), size);
    else
        QCOMPARE(control->size(), control->sizeHint());
    QCOMPARE(control->isVisibleTo(m_game->window.get()), visible);
    QCOMPARE(control->font().pixelSize(), pixelSize);
    if (auto *label = qobject_cast<Label *>(control)) {
        QCOMPARE(label->caption(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->palette().color(QPalette::WindowText), fore);
    } else if (auto *box = qobject_cast<TextBox *>(control)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(box->palette().color(QPalette::Text), fore);
    } else if (auto *button = qobject_cast<PictureButton *>(control)) {
        QCOMPARE(button->text(), text);
    }
}

void TestTavola::fittingLabelsFollowTheirCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("narrow");
    QTest::addColumn<QString>("wide");

    QTest::newRow("second factor") << "lblNum2" << "3" << "10";
    QTest::newRow("score") << "lblScore" << "9" << "327";
    QTest::newRow("record holder") << "lblnome" << "Eva" << "Bartolomeo";
}

void TestTavola::fittingLabelsFollowTheirCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, narrow);
    QFETCH(QString, wide);

    auto *label = m_game->window->findChild<Label *>(name);
    const QPoint corner = label->pos();
    label->setCaption(narrow);
    const int narrowWidth = label->width();
    label->setCaption(wide);
    QVERIFY(label->width() > narrowWidth);
    QCOMPARE(label->pos(), corner);
    label->setCaption(QStringLiteral("12\r\n"));
    QVERIFY(label->height() > label->fontMetrics().lineSpacing());
}

void TestTavola::windowAndMenus()
{
    Tavola &window = *m_game->window;
    const QString title = window.windowTitle();
    QVERIFY(title.startsWith(QString(83, QLatin1Char(' ')) + QStringLiteral("VORTANA") + QString(31, QLatin1Char(' '))));
    QVERIFY(title.endsWith(QString(4, QLatin1Char(' '))));
    QVERIFY(!title.at(83 + 7 + 31).isSpace());
    QCOMPARE(window.centralWidget()->size(), QSize(785, 556));
    QVERIFY(!window.windowIcon().isNull());

    const QList<QAction *> menus = window.menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[2]->text(), QStringLiteral("Software freeware"));
    QCOMPARE(menus[0]->menu()->actions().size(), 1);
    QCOMPARE(menus[1]->menu()->actions().size(), 2);
    QCOMPARE(menus[2]->menu()->actions().size(), 1);
}

void TestTavola::tabOrderSkipsHiddenAndDisabled()
{
    GameFixture game;
    game.start();
    game.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
    game.c().cmdExit1->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(game.c().cmdExit1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(game.c().Text3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(game.c().cmdExit1));
    game.c().cmdNext->setEnabled(true);
    game.c().Text3->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(game.c().cmdNext));
}

void TestTavola::buttonsAnswerEnterSpaceAndAccessKeys()
{
    GameFixture game;
    game.start();
    game.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
    PictureButton *next = game.c().cmdNext;
    int clicks = 0;
    connect(next, &PictureButton::clicked, this, [&clicks] { ++clicks; });

    QTest::keyClick(game.window.get(), Qt::Key_N, Qt::AltModifier);
    QCOMPARE(clicks, 0); // disabled at start
    next->setEnabled(true);
    next->setFocus();
    QTest::keyClick(next, Qt::Key_Return);
    QTRY_COMPARE(clicks, 1);
    QTest::keyClick(next, Qt::Key_Space);
    QTRY_COMPARE(clicks, 2);
    QTest::keyClick(game.window.get(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(clicks, 3);
}

void TestTavola::answerBoxHoldsAtMost250()
{
    TextBox *box = m_game->c().Text3;
    box->clear();
    box->insert(QString(300, QLatin1Char('7')));
    QCOMPARE(box->text().size(), 250);
}

void TestTavola::closingFromTheTitleBarEndsAtOnce()
{
    GameFixture game;
    QVERIFY(game.window->load());
    game.boxes.shown.clear();
    game.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
    game.window->close();
    QCOMPARE(game.endedWith, std::optional<int>(0));
    QVERIFY(game.boxes.shown.isEmpty());
}

QTEST_MAIN(TestTavola)
#include "tst_tavola.moc"
