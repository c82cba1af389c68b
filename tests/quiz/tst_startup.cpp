#include "FileBytes.h"
#include "GameFixture.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"
#include "runtime/TickTimer.h"

#include <QFile>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {


} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameAndGreeting_data();
    void nameAndGreeting();
    void recordOnShow_data();
    void recordOnShow();
    void characterComesUp();
    void failures_data();
    void failures();
};

void TestStartup::nameAndGreeting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("greeting");
    QTest::addColumn<QString>("shown");

    QTest::newRow("a name") << "Mario" << " Mario vediamo se sei un vero campione  " << "Mario";
    QTest::newRow("cancel or empty") << "" << "  vediamo se sei un vero campione  " << "Amico";
    QTest::newRow("blanks only stay") << "   " << "     vediamo se sei un vero campione  " << "   ";
    QTest::newRow("markup is a name") << "<b>Eva</b>" << " <b>Eva</b> vediamo se sei un vero campione  " << "<b>Eva</b>";
}

void TestStartup::nameAndGreeting()
{
    QFETCH(QString, typed);
    QFETCH(QString, greeting);
    QFETCH(QString, shown);

    GameFixture game(typed);
    QVERIFY(game.window->load());
    QCOMPARE(game.boxes.shown, QStringList({QStringLiteral("? Come ti chiami?"), greeting}));
    QCOMPARE(game.c().lblnome1->caption(), shown);
    QCOMPARE(game.c().lblnome1->text(), shown);
    QCOMPARE(game.c().Txtnome1->text(), shown);
    QVERIFY(game.c().Timer1->isEnabled());
    QCOMPARE(int(game.quiz().state().secondsLeft), 420);
    QCOMPARE(int(game.quiz().state().clockMinutes), 7);
    QCOMPARE(game.quiz().state().windowsDir, game.recordDir() + QLatin1Char('/'));
    QVERIFY(game.c().lblNum1->isHidden());
    QVERIFY(game.c().lblNum2->isHidden());
    QVERIFY(game.c().Label10->isHidden());
}

void TestStartup::recordOnShow_data()
{
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("lblpunti");
    QTest::addColumn<QString>("lblnome");

    QTest::newRow("first run: no files") << QByteArray() << QByteArray() << "" << "";
    QTest::newRow("record present, line breaks kept") << QByteArray("12\r\n") << QByteArray("Anna Maria\r\n")
                                                      << "12\r\n" << "Anna Maria\r\n";
    QTest::newRow("copied from the old machine (1252)") << QByteArray("9\r\n") << QByteArray("Jos\xe9\r\n")
                                                        << "9\r\n" << QStringLiteral("José\r\n");
}

void TestStartup::recordOnShow()
{
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, name);
    QFETCH(QString, lblpunti);
    QFETCH(QString, lblnome);

    GameFixture game;
    if (!score.isEmpty()) {
        QVERIFY(QDir().mkpath(game.recordDir()));
        writeFile(game.scorePath(), score);
        writeFile(game.namePath(), name);
    }
    QVERIFY(game.window->load());
    QCOMPARE(readAll(game.scorePath()), score);
    QCOMPARE(readAll(game.namePath()), name);
    QCOMPARE(game.c().lblpunti->caption(), lblpunti);
    QCOMPARE(game.c().lblnome->caption(), lblnome);
}

void TestStartup::characterComesUp()
{
    GameFixture game;
    QVERIFY(game.window->load());
    const QStringList expected{
        QStringLiteral("Load Merlin /chars/Merlin"),
        QStringLiteral("Show"),
        QStringLiteral("MoveTo 250 175"),
        QStringLiteral("Play Announce"),
        QStringLiteral("Height 205"),
        QStringLiteral("Speak Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu "
                       "scrivi il risultato nello spazio sotto di me. Mi raccomando inserisci il risultato e premi "
                       "invio e poi aspetta che io finisca di parlare e premi ancora invio per avere la domanda "
                       "successiva"),
    };
    QCOMPARE(game.agent.requests, expected);
}

void TestStartup::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("named");

    QTest::newRow("character file missing") << "character" << "/chars/Merlin";
    QTest::newRow("record directory cannot be made") << "directory" << "records";
    QTest::newRow("score file is a directory") << "unreadable" << "aquizrec6.txt";
}

void TestStartup::failures()
{
    QFETCH(QString, fault);
    QFETCH(QString, named);

    GameFixture game;
    if (fault == QLatin1String("character")) {
        game.agent.failLoad = true;
    } else if (fault == QLatin1String("directory")) {
        writeFile(game.recordDir(), "a file where the directory should be");
    } else {
        QVERIFY(QDir().mkpath(game.scorePath()));
    }
    QVERIFY(!game.window->load());
    QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
    QVERIFY2(game.boxes.shown.last().startsWith(QStringLiteral("Errore di run-time")), qPrintable(game.boxes.shown.last()));
    QVERIFY2(game.boxes.shown.last().contains(named), qPrintable(game.boxes.shown.last()));
    // Nothing runs after the failure.
    QVERIFY(!game.agent.requests.contains(QStringLiteral("Speak 6")));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
