#include "GameFixture.h"

#include "quiz/controls/ClientArea.h"
#include "quiz/controls/Label.h"
#include "quiz/controls/PictureButton.h"
#include "quiz/controls/TextBox.h"

#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

const QString Name = QStringLiteral("Mario");

// Types an answer and presses Enter, as the child does.
void answer(GameFixture &game, const QString &typed)
{
    game.c().Text3->setText(typed);
    game.run([&game] {
        char16_t enter = 13;
        game.quiz().Text3_KeyPress(enter);
    });
}

QStringList speech(const QStringList &words)
{
    QStringList requests{QStringLiteral("Show"), QStringLiteral("MoveTo 250 175"), QStringLiteral("Height 205")};
    for (const QString &w : words)
        requests << (w.startsWith(QLatin1String("Play ")) ? w : QStringLiteral("Speak ") + w);
    return requests;
}

} // namespace

class TestPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void question_data();
    void question();
    void praiseLadder_data();
    void praiseLadder();
    void wrongAnswers_data();
    void wrongAnswers();
    void enterTwiceCountsTwice();
    void otherKeysShowTheQuestion();
    void counterOverflowEndsTheProgram();
    void backdropPixels_data();
    void backdropPixels();
};

void TestPlay::question_data()
{
    QTest::addColumn<int>("factor2");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("product");

    QTest::newRow("1") << 1 << "uno" << "6";
    QTest::newRow("7") << 7 << "sette" << "42";
    QTest::newRow("10") << 10 << "dieci" << "60";
}

void TestPlay::question()
{
    QFETCH(int, factor2);
    QFETCH(QString, words);
    QFETCH(QString, product);

    GameFixture game;
    game.random.draws = {FixedRandom::forValue(3), FixedRandom::forValue(factor2)};
    QVERIFY(game.window->load());
    game.agent.requests.clear();
    game.run([&game] { game.quiz().Form_Activate(); });

    const GameState &state = game.quiz().state();
    QCOMPARE(int(state.factor1), 6);
    QCOMPARE(int(state.backdropTint), 3);
    QCOMPARE(int(state.factor2), factor2);
    QCOMPARE(int(state.expectedAnswer), product.toInt());
    QCOMPARE(game.c().Text1->text(), QStringLiteral("6"));
    QCOMPARE(game.c().Text6->text(), words);
    QCOMPARE(game.c().Text7->text(), product);
    QCOMPARE(game.c().lblNum1->caption(), QStringLiteral("6"));
    QCOMPARE(game.c().lblNum2->caption(), QString::number(factor2));
    QVERIFY(game.c().lblNum1->isHidden() && game.c().lblNum2->isHidden() && game.c().Label10->isHidden());
    QCOMPARE(game.c().lblMessage->caption(), QString());
    QCOMPARE(game.c().Text3->text(), QString());
    QCOMPARE(game.c().lblconto->caption(), QStringLiteral("00.07.00"));
    QCOMPARE(int(state.rightCount), 0);
    QVERIFY(game.c().Form->hasBackdrop());
    QVERIFY(!game.c().cmdNext->isEnabled());
    QCOMPARE(game.random.reseeds, 1);
    QCOMPARE(game.agent.requests,
             QStringList({QStringLiteral("Show"), QStringLiteral("MoveTo 250 175"), QStringLiteral("Play Greet"),
                          QStringLiteral("Height 205"), QStringLiteral("Speak 6"), QStringLiteral("Speak per"),
                          QStringLiteral("Speak ") + words}));
}

void TestPlay::praiseLadder_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QStringList>("said");

    const QString p = QStringLiteral("42");
    QTest::newRow("first right answer") << 0 << speech({"Esatto", p});
    QTest::newRow("2") << 2 << speech({"Esatto", p, "Play congratulate", "Sei grande"});
    QTest::newRow("3 calls the name") << 3 << speech({"Esatto", Name, p});
    QTest::newRow("5") << 5 << speech({"Esatto", p, "Play domagic1", "Sei forte"});
    QTest::newRow("7 calls the name") << 7 << speech({"Esatto", Name, p});
    QTest::newRow("10 has no opening word")
        << 10 << speech({p, "Play congratulate", "Sei sulla buona strada per diventare cavaliere"});
    QTest::newRow("11") << 11 << speech({"Giusto", p});
    QTest::newRow("12 calls the name") << 12 << speech({"Giusto", Name, p});
    QTest::newRow("13") << 13 << speech({"Giusto", p, "Play domagic2", "Sei in gamba"});
    QTest::newRow("14") << 14 << speech({"Giusto", p, "Play congratulate", "Sei eccezionale"});
    QTest::newRow("18") << 18 << speech({"Giusto", p, "Play congratulate", "Sei insuperabile"});
    QTest::newRow("21 calls the name") << 21 << speech({"Giusto", Name, p});
    QTest::newRow("23") << 23
                        << speech({"Giusto", p, "Play congratulate",
                                   "Ti nomino cavaliere della tabellina, il massimo ordine per un eroe"});
    QTest::newRow("26 calls the name") << 26 << speech({"Giusto", Name, p});
    QTest::newRow("27") << 27
                        << speech({"Giusto", p, "Play congratulate",
                                   "Hai lavorato bene mio leale campione: sei invincibile"});
    QTest::newRow("28") << 28 << speech({"Giusto", p});
    QTest::newRow("40") << 40 << speech({"Giusto", p});
}

void TestPlay::praiseLadder()
{
    QFETCH(int, before);
    QFETCH(QStringList, said);

    GameFixture game(Name);
    game.start(7);
    game.quiz().state().rightCount = Int16::fromWide(before);
    game.c().lblScore->setCaption(QString::number(before));

    answer(game, QStringLiteral("42"));
    QCOMPARE(game.agent.requests, said);
    QCOMPARE(game.c().lblMessage->caption(), QStringLiteral("Esatto. Sei forte!!!"));
    QCOMPARE(game.c().lblMessage->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(game.c().lblScore->caption(), QString::number(before + 1));
    QCOMPARE(game.c().lblScore2->caption(), QString::number(before + 1));
    QVERIFY(game.c().cmdNext->isEnabled());
}

void TestPlay::wrongAnswers_data()
{
    QTest::addColumn<QString>("typed");

    QTest::newRow("empty") << "";
    QTest::newRow("leading blank") << " 42";
    QTest::newRow("trailing blank") << "42 ";
    QTest::newRow("leading zero") << "042";
    QTest::newRow("sign") << "+42";
    QTest::newRow("another product") << "48";
    QTest::newRow("words") << "quarantadue";
}

void TestPlay::wrongAnswers()
{
    QFETCH(QString, typed);

    GameFixture game;
    game.start(7);
    answer(game, typed);
    QCOMPARE(game.c().lblMessage->caption(), QStringLiteral("Sbagliato!! 42"));
    QCOMPARE(game.c().lblMessage->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(game.c().lblScore->caption(), QStringLiteral("0"));
    QCOMPARE(game.c().lblScore1->caption(), QStringLiteral("1"));
    QCOMPARE(game.c().lblScore2->caption(), QStringLiteral("1"));
    QCOMPARE(game.agent.requests,
             QStringList({QStringLiteral("Show"), QStringLiteral("MoveTo 250 175"), QStringLiteral("Play Greet"),
                          QStringLiteral("Height 205"), QStringLiteral("Speak Sbagliato"), QStringLiteral("Speak 42")}));
    QVERIFY(game.c().lblNum1->isHidden());
    QVERIFY(game.c().cmdNext->isEnabled());
}

void TestPlay::enterTwiceCountsTwice()
{
    GameFixture game;
    game.start(7);
    answer(game, QStringLiteral("42"));
    game.run([&game] {
        char16_t enter = 13;
        game.quiz().Text3_KeyPress(enter);
    });
    QCOMPARE(int(game.quiz().state().rightCount), 2);
    QCOMPARE(game.c().lblScore->caption(), QStringLiteral("2"));
    QCOMPARE(game.agent.requests.count(QStringLiteral("Speak 42")), 2);
}

void TestPlay::otherKeysShowTheQuestion()
{
    GameFixture game;
    game.start(7);
    game.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
    QVERIFY(game.c().Form->hasBackdrop());
    QTest::keyClick(game.c().Text3, Qt::Key_4);
    QVERIFY(!game.c().Form->hasBackdrop());
    QVERIFY(game.c().lblNum1->isVisible() && game.c().Label10->isVisible() && game.c().lblNum2->isVisible());
    QCOMPARE(game.c().Text3->text(), QStringLiteral("4"));
    QCOMPARE(game.c().lblScore2->caption(), QStringLiteral("0"));
    // Arrows type nothing: the question stays as it is.
    game.c().lblNum1->hide();
    QTest::keyClick(game.c().Text3, Qt::Key_Right);
    QVERIFY(game.c().lblNum1->isHidden());
    QTest::keyClick(game.c().Text3, Qt::Key_2);
    QTest::keyClick(game.c().Text3, Qt::Key_Return);
    QCOMPARE(game.c().lblScore->caption(), QStringLiteral("1"));
    QVERIFY(game.c().cmdNext->hasFocus());
    // The second Enter asks the next question.
    QTest::keyClick(game.c().cmdNext, Qt::Key_Return);
    QTRY_COMPARE(game.c().Text3->text(), QString());
    QVERIFY(game.c().Form->hasBackdrop());
    QCOMPARE(game.c().lblMessage->caption(), QString());
}

void TestPlay::counterOverflowEndsTheProgram()
{
    GameFixture game;
    game.start(7);
    game.quiz().state().rightCount = 32767;
    answer(game, QStringLiteral("42"));
    QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
    QCOMPARE(game.boxes.shown.last(), QStringLiteral("Errore di run-time '6':\n\nOverflow"));
    QCOMPARE(int(game.quiz().state().rightCount), 32767);
}

void TestPlay::backdropPixels_data()
{
    QTest::addColumn<int>("tint");
    QTest::addColumn<qreal>("ratio");

    QTest::newRow("tint 1") << 1 << 1.0;
    QTest::newRow("tint 10") << 10 << 1.0;
    QTest::newRow("tint 4 at ratio 2") << 4 << 2.0;
}

void TestPlay::backdropPixels()
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

    char16_t key = u'4';
    game.run([&game, &key] { game.quiz().Text3_KeyPress(key); });
    area->render(&image);
    QCOMPARE(QColor(image.pixel(x, 0)), QColor(0xC0, 0xC0, 0xC0));
}

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
