#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

class TestControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answerBoxKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("text"); // what X11 gives the key
        QTest::addColumn<QString>("question"); // what the box and the question show after it
        QTest::addColumn<int>("judged");
        // A key held down: 0 not; 1 marked a repeat; 2 pressed at the very time it was last released.
        QTest::addColumn<int>("held");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        QTest::newRow("digit") << int(Qt::Key_4) << none << "4" << "4, shown" << 0 << 0;
        QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << ", hidden" << 1 << 0;
        QTest::newRow("Ctrl+M") << int(Qt::Key_M) << ctrl << "\r" << ", hidden" << 1 << 0;
        QTest::newRow("Escape types a control code") << int(Qt::Key_Escape) << none << "\x1b" << ", shown" << 0 << 0;
        QTest::newRow("arrow types nothing") << int(Qt::Key_Right) << none << "" << ", hidden, backdrop" << 0 << 0;
        QTest::newRow("Tab moves on, typing nothing") << int(Qt::Key_Tab) << none << "\t" << ", hidden, backdrop" << 0 << 0;
        QTest::newRow("held Return judges nothing") << int(Qt::Key_Return) << none << "\r" << ", hidden, backdrop" << 0 << 1;
        QTest::newRow("held keypad Enter judges nothing")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "\r" << ", hidden, backdrop" << 0 << 2;
        QTest::newRow("held Ctrl+M judges nothing") << int(Qt::Key_M) << ctrl << "\r" << ", hidden, backdrop" << 0 << 2;
    }

    // A key that types a character shows the question and clears the
    // backdrop; only code 13 judges.
    void answerBoxKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, question);
        QFETCH(int, judged);
        QFETCH(int, held);
        GameFixture game;
        game.start(7);
        constexpr quint64 At = 1000;
        if (held == 2) {
            QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
            release.setTimestamp(At);
            QApplication::sendEvent(game.c().Text3, &release);
        }
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text, held == 1);
        press.setTimestamp(At);
        QApplication::sendEvent(game.c().Text3, &press);
        QTest::sendKeyEvent(QTest::Release, game.c().Text3, Qt::Key(key), text, modifiers);
        const bool shown = !game.c().lblNum1->isHidden() && !game.c().lblNum2->isHidden() && !game.c().Label10->isHidden();
        QCOMPARE(game.c().Text3->text() + QLatin1String(shown ? ", shown" : ", hidden")
                     + QLatin1String(game.c().Form->hasBackdrop() ? ", backdrop" : ""),
                 question);
        QCOMPARE(game.c().lblScore2->caption(), QString::number(judged));
        QVERIFY(!game.endedWith);
    }

    // Enter and Space press a button, and Alt with its underlined letter from
    // anywhere in the window; the second Enter asks the next question.
    void buttonKeys()
    {
        GameFixture game;
        game.start(7);
        game.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
        PictureButton *next = game.c().cmdNext;
        QTest::keyClick(game.window.get(), Qt::Key_N, Qt::AltModifier); // disabled until the verdict
        QTest::keyClicks(game.c().Text3, QStringLiteral("42\r"));
        QVERIFY(next->hasFocus());
        QTest::keyClick(next, Qt::Key_Return);
        QTRY_COMPARE(game.c().Text3->text(), QString());
        QVERIFY(game.c().Form->hasBackdrop());
        QTest::keyClick(next, Qt::Key_Space);
        QTest::keyClick(game.c().Text3, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(game.agent.requests.count(QStringLiteral("Speak per")), 3);
        QTest::keyClick(game.c().Text3, Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(game.boxes.shown, QStringList({Goodbye, Confirmed}));
        QCOMPARE(game.endedWith, std::optional<int>(0));
        QCOMPARE(game.agent.requests.count(QStringLiteral("Speak per")), 3);
    }

    void backdrop_data()
    {
        QTest::addColumn<int>("tint");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("tint 10") << 10 << 1.0;
        QTest::newRow("tint 4 at ratio 2") << 4 << 2.0;
    }

    void backdrop()
    {
        QFETCH(int, tint);
        QFETCH(qreal, ratio);
        GameFixture game;
        game.random.draws = {FixedRandom::forValue(tint), FixedRandom::forValue(5)};
        QVERIFY(game.window->load());
        game.window->activate();
        ClientArea *area = game.c().Form;
        QImage image(area->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        area->render(&image);
        // Between the score panel and the clock, nothing lies over the bands.
        const int x = static_cast<int>(340 * ratio);
        QCOMPARE(QColor(image.pixel(x, 0)), QColor(120, 20 * tint, 0));
        QCOMPARE(QColor(image.pixel(x, image.height() - 1)), QColor(120, 20 * tint, 255));
        QCOMPARE(QColor(image.pixel(x, image.height() / 2)).blue(), 128);
        QCOMPARE(QColor(image.pixel(image.width() - 1, image.height() - 1)), QColor(120, 20 * tint, 255));
        QTest::keyClick(game.c().Text3, Qt::Key_4);
        area->render(&image);
        QCOMPARE(QColor(image.pixel(x, 0)), QColor(0xC0, 0xC0, 0xC0));
    }

    void fittingLabelFollowsItsCaption()
    {
        GameFixture game;
        Label *label = game.c().lblnome;
        const QPoint corner = label->pos();
        label->setCaption(QStringLiteral("Eva"));
        const int narrow = label->width();
        label->setCaption(QStringLiteral("Bartolomeo\r\n12"));
        QVERIFY(label->width() > narrow && label->height() > label->fontMetrics().lineSpacing());
        QCOMPARE(label->pos(), corner);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
