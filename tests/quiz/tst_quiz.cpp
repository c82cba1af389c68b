#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"
#include "runtime/TickTimer.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>

#include <map>

using namespace vortana;
using namespace vortana::test;

namespace {

const QStringList Shown{QStringLiteral("Show"), QStringLiteral("MoveTo 250 175")};

void leave(GameFixture &game, int score)
{
    game.c().lblScore->setCaption(QString::number(score));
    game.run([&game] { game.quiz().cmdExit1_Click(); });
}

} // namespace

class TestQuiz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Start-up introduces the game; activation asks the first question.
    void startUpAndFirstQuestion()
    {
        GameFixture game;
        game.random.draws = {FixedRandom::forValue(3), FixedRandom::forValue(7)};
        QVERIFY(game.window->load());
        QCOMPARE(game.agent.requests,
                 QStringList({QStringLiteral("Load Merlin /chars/Merlin Announce Greet congratulate domagic1 domagic2"), Shown[0], Shown[1], QStringLiteral("Play Announce"),
                              QStringLiteral("Height 205"),
                              QStringLiteral("Speak Allora attenzione, iniziamo la nostra avventura con la tabellina del "
                                             "6. Io detto e tu scrivi il risultato nello spazio sotto di me. Mi raccomando "
                                             "inserisci il risultato e premi invio e poi aspetta che io finisca di parlare "
                                             "e premi ancora invio per avere la domanda successiva")}));
        game.agent.requests.clear();
        game.run([&game] { game.quiz().Form_Activate(); });
        QCOMPARE(game.c().lblNum1->caption() + game.c().lblNum2->caption(), QStringLiteral("67"));
        QCOMPARE(game.c().lblMessage->caption() + game.c().Text3->text(), QString());
        QVERIFY(!game.c().cmdNext->isEnabled());
        QCOMPARE(game.random.reseeds, 1);
        QCOMPARE(game.agent.requests, Shown + QStringList({QStringLiteral("Play Greet"), QStringLiteral("Height 205"),
                                                           QStringLiteral("Speak 6"), QStringLiteral("Speak per"),
                                                           QStringLiteral("Speak sette")}));
    }

    // The program's own random source gives every factor from 1 to 10, each
    // about as often, and no other.
    void factorsFromTheClockSeededSource()
    {
        GameFixture game;
        ClockRandomSource clockSeeded;
        game.randomSource = &clockSeeded;
        game.use(std::move(game.records));
        game.start();
        constexpr int Draws = 5000;
        std::map<int, int> seen;
        for (int draw = 0; draw < Draws; ++draw) {
            game.quiz().cmdNext_Click();
            ++seen[game.quiz().state().factor2];
        }
        QCOMPARE(std::pair(seen.begin()->first, seen.rbegin()->first), std::pair(1, 10));
        for (const auto &[factor, count] : seen)
            QVERIFY2(count > Draws / 10 * 7 / 10, qPrintable(QStringLiteral("%1 drawn %2 times").arg(factor).arg(count)));
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // lblnome1; its text shows CR, LF or CR LF as one line break
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty (or cancelled)") << "" << "Amico" << QByteArray("Amico");
        QTest::newRow("blanks only") << "   " << "   " << QByteArray("   ");
        // One line in the name file: control characters and line breaks stored as a blank each.
        const QString controls = QStringLiteral("Ada\tB\x1b[31m") + QChar::Null + QStringLiteral("C\r\nD\rE\nF\u2028G\u2029H");
        QTest::newRow("control characters and line breaks") << controls << controls << QByteArray("Ada B [31m C  D E F G H");
    }

    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        GameFixture game(typed);
        QVERIFY(game.window->load());
        QCOMPARE(game.boxes.shown, QStringList({QStringLiteral("? Come ti chiami?"),
                                                u' ' + typed + QStringLiteral(" vediamo se sei un vero campione  ")}));
        QCOMPARE(game.c().lblnome1->caption(), shown);
        QCOMPARE(game.c().lblnome1->size(), game.c().lblnome1->sizeHint()); // it fits the name
        QCOMPARE(game.c().lblnome1->text(), QString(shown).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'));
        leave(game, 1);
        QCOMPARE(entryState(game.namePath()), stored + "\r\n");
    }

    void answers_data()
    {
        QTest::addColumn<int>("before"); // right answers so far
        QTest::addColumn<QStringList>("typed"); // one answer per Enter
        // For each right answer, what follows "Height 205": words spoken unless
        // they are an animation. None: every answer is wrong.
        QTest::addColumn<QStringList>("said");
        const auto row = [](int before, const QStringList &said) {
            QTest::addRow("42 after %d", before) << before << QStringList{"42"} << said;
        };
        const QString congratulate = QStringLiteral("Play congratulate");
        row(0, {"Esatto", "42"});
        row(2, {"Esatto", "42", congratulate, "Sei grande"});
        row(3, {"Esatto", "Mario", "42"});
        row(5, {"Esatto", "42", "Play domagic1", "Sei forte"});
        row(7, {"Esatto", "Mario", "42"});
        row(10, {"42", congratulate, "Sei sulla buona strada per diventare cavaliere"});
        row(12, {"Giusto", "Mario", "42"});
        row(13, {"Giusto", "42", "Play domagic2", "Sei in gamba"});
        row(14, {"Giusto", "42", congratulate, "Sei eccezionale"});
        row(18, {"Giusto", "42", congratulate, "Sei insuperabile"});
        row(21, {"Giusto", "Mario", "42"});
        row(23, {"Giusto", "42", congratulate, "Ti nomino cavaliere della tabellina, il massimo ordine per un eroe"});
        row(26, {"Giusto", "Mario", "42"});
        row(27, {"Giusto", "42", congratulate, "Hai lavorato bene mio leale campione: sei invincibile"});
        row(28, {"Giusto", "42"});
        row(9999, {"Giusto", "42"}); // the score shown as 10000, never grouped
        QTest::newRow("Enter judging again counts again") << 0 << QStringList{"42", "42"} << QStringList{"Esatto", "42"};
        for (const auto &[tag, wrong] : {std::pair{"empty", ""}, {"leading zero", "042"}, {"trailing blank", "42 "}})
            QTest::newRow(tag) << 0 << QStringList{wrong} << QStringList();
    }

    // Only the product's own digits are right, compared as text; the praise
    // climbs with the right answers so far.
    void answers()
    {
        QFETCH(int, before);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, said);
        GameFixture game;
        game.start(7);
        game.quiz().state().rightCount = Int16::fromWide(before);
        game.c().lblScore->setCaption(QString::number(before));
        QStringList expected;
        for (const QString &text : typed) {
            game.c().Text3->setText(text);
            game.run([&game] {
                char16_t enter = 13;
                game.quiz().Text3_KeyPress(enter);
            });
            expected << Shown << (said.isEmpty() ? QStringList{"Play Greet", "Height 205", "Speak Sbagliato", "Speak 42"}
                                                 : QStringList{"Height 205"});
            for (const QString &s : said)
                expected << (s.startsWith(QLatin1String("Play ")) ? s : QStringLiteral("Speak ") + s);
        }
        QCOMPARE(game.agent.requests, expected);
        const int right = said.isEmpty() ? 0 : int(typed.size());
        QCOMPARE(game.c().lblScore->caption() + u'/' + game.c().lblScore1->caption() + u'/' + game.c().lblScore2->caption(),
                 QStringLiteral("%1/%2/%3").arg(before + right).arg(typed.size() - right).arg(before + typed.size()));
        QCOMPARE(game.c().lblMessage->caption(), right ? QStringLiteral("Esatto. Sei forte!!!") : QStringLiteral("Sbagliato!! 42"));
        QCOMPARE(game.c().lblMessage->palette().color(QPalette::WindowText), right ? QColor(0, 0, 255) : QColor(255, 0, 0));
    }

    void leaving_data()
    {
        QTest::addColumn<QByteArray>("record"); // the score file; the name file holds "Anna"
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("pairAfter"); // empty: as before
        QTest::newRow("0 against no record") << QByteArray("<missing>") << 0 << QByteArray();
        QTest::newRow("first record") << QByteArray("<missing>") << 3 << QByteArray("3\r\nEva\r\n");
        QTest::newRow("equal is no record") << QByteArray("12\r\n") << 12 << QByteArray();
        QTest::newRow("one above") << QByteArray("12\r\n") << 13 << QByteArray("13\r\nEva\r\n");
        QTest::newRow("-5: even 0 beats it") << QByteArray("-5") << 0 << QByteArray("0\r\nEva\r\n");
        QTest::newRow("leading number of \" 12abc\"") << QByteArray(" 12abc") << 12 << QByteArray();
    }

    // The record shown at start-up is read as its leading number; a higher
    // score replaces both files with one line each and says so.
    void leaving()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, score);
        QFETCH(QByteArray, pairAfter);
        GameFixture game(QStringLiteral("Eva"));
        QVERIFY(QDir().mkpath(game.directory));
        QVERIFY(record == "<missing>" || (writeBytes(game.scorePath(), record) && writeBytes(game.namePath(), "Anna\r\n")));
        game.start();
        const QByteArray before = entryState(game.scorePath()) + entryState(game.namePath());
        leave(game, score);
        QCOMPARE(game.boxes.shown, pairAfter.isEmpty() ? QStringList({Goodbye}) : QStringList({Goodbye, Confirmed}));
        QCOMPARE(entryState(game.scorePath()) + entryState(game.namePath()), pairAfter.isEmpty() ? before : pairAfter);
        QCOMPARE(QDir(game.directory).entryList(QDir::Files | QDir::Hidden), QStringList({".lock", "aquizrec6.txt", "nquizrec6.txt"}));
    }

    // The countdown's timeline, kept whenever the clock wakes, and its end
    // through the exit button's routine.
    void clockRunsOutThroughTheSameExit()
    {
        using namespace std::chrono;
        GameFixture game;
        game.start();
        game.c().lblScore->setCaption(QStringLiteral("4"));
        const auto tick = [&game](milliseconds step = 1s) {
            game.clock.advance(step);
            game.c().Timer1->poll();
            return game.c().lblconto->caption();
        };
        QStringList shown;
        for (int second = 1; second <= 420; ++second) {
            // A late first wake-up does not shift the later ticks.
            const QString caption = tick(second == 1 ? 1500ms : second == 2 ? 500ms : 1000ms);
            if (QList<int>{1, 60, 61, 419, 420}.contains(second))
                shown << caption;
        }
        QCOMPARE(shown, QStringList({"00:06:59", "00:06:00", "00:05:59", "00:00:01", "00:00:00"}));
        QCOMPARE(int(game.quiz().state().secondsLeft), 0);
        QVERIFY(!game.endedWith);
        tick();
        QCOMPARE(game.boxes.shown, QStringList({Goodbye, Confirmed}));
        QCOMPARE(game.endedWith, std::optional<int>(0));
        QCOMPARE(entryState(game.scorePath()), QByteArray("4\r\n"));
        tick(); // nothing is handled once the program has ended
        QCOMPARE(game.boxes.shown.size(), 2);
    }

    void timeUpWhileTheClockShowsSomethingElse()
    {
        GameFixture game;
        game.start();
        game.quiz().state().secondsLeft = 0;
        game.run([&game] { game.quiz().Timer1_Timer(); });
        QCOMPARE(game.boxes.shown, QStringList({QStringLiteral("Tempo scaduto"), Goodbye}));
        QCOMPARE(game.endedWith, std::optional<int>(0));
    }

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
        QVERIFY(QTest::qWaitFor([&] { return game.c().Text3->text().isEmpty(); }));
        QVERIFY(game.c().Form->hasBackdrop());
        QTest::keyClick(next, Qt::Key_Space);
        QTest::keyClick(game.c().Text3, Qt::Key_N, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return game.agent.requests.count(QStringLiteral("Speak per")) == 3; }));
        QTest::keyClick(game.c().Text3, Qt::Key_X, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return game.boxes.shown.size() == 2; }));
        QCOMPARE(game.boxes.shown, QStringList({Goodbye, Confirmed}));
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
};

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
