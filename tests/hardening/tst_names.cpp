#include "GameFixture.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"

#include <QTest>

using namespace vortana;
using namespace vortana::test;

namespace {

const QString Greeting = QStringLiteral(" vediamo se sei un vero campione  ");

QString displayed(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

// Answers right until the character has called the child by name (at n = 3).
void playUntilCalledByName(GameFixture &game)
{
    for (int i = 0; i < 4; ++i) {
        game.c().Text3->setText(game.c().Text7->text());
        game.run([&game] {
            char16_t enter = 13;
            game.quiz().Text3_KeyPress(enter);
        });
    }
}

} // namespace

// A name goes everywhere as typed: the greeting, the labels, the character's
// voice, the name file, and the record line of the next game.
class TestNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void throughTheWholeGame_data();
    void throughTheWholeGame();
};

void TestNames::throughTheWholeGame_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // lblnome1, and what the character says
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("read");  // lblnome in the next game

    const auto same = [](const char *tag, const QString &name) {
        QTest::newRow(tag) << name << name << name.toUtf8() << name;
    };
    QTest::newRow("empty") << "" << "Amico" << QByteArray("Amico") << "Amico";
    same("blanks only", QStringLiteral("   "));
    same("250 characters", QString(25, u'x').replace(u'x', QStringLiteral("Bartolomeo")));
    same("1000 characters, past the box", QString(1000, u'z'));
    same("bold tag", QStringLiteral("<b>Eva</b>"));
    same("image tag", QStringLiteral("<img src=\"file:///etc/passwd\" onerror=alert(1)>"));
    same("link and entities", QStringLiteral("<a href='http://x'>Ugo</a> &amp; &lt;i&gt;"));
    same("rich-text document", QStringLiteral("<html><body><font color=red size=7>Lia</font></body></html>"));
    same("speech markup", QStringLiteral("<speak><audio src=\"x.wav\"/><break time=\"9s\"/>Leo</speak>"));
    same("phoneme input", QStringLiteral("[[h@l@U]] Bea"));
    same("emoji", QStringLiteral("Zoë 🦉 👨‍👩‍👧"));
    same("Greek, Chinese, Arabic", QStringLiteral("Ζωή 李小龙 ليلى"));
    same("combining marks and direction override", QStringLiteral("Zoe\u0308 \u202Eabc\u202C"));
    // What UTF-8 cannot hold, or holds as no text: documented changes.
    const QString lone = QStringLiteral("Ugo") + QChar(0xD83E);
    QTest::newRow("lone surrogate") << lone << lone << QByteArray("Ugo?") << "Ugo?";
    // Control characters and line separators are stored as blanks, one each.
    const auto blanked = [](const char *tag, const QString &name, const QByteArray &stored) {
        QTest::newRow(tag) << name << name << stored << QString::fromUtf8(stored);
    };
    blanked("tab, bell and escape", QStringLiteral("Ada\tB\aC\x1b[31mD"), "Ada B C [31mD");
    blanked("line breaks", QStringLiteral("Anna\r\nMaria\rRosa\nLia\u2028Eva"), "Anna  Maria Rosa Lia Eva");
    blanked("NUL", QStringLiteral("Ada") + QChar::Null + QStringLiteral("Bea"), "Ada Bea");
    QTest::newRow("byte-order mark first") << QStringLiteral("\uFEFFEva") << QStringLiteral("\uFEFFEva")
                                           << QByteArray("\xEF\xBB\xBF" "Eva") << "Eva";
}

void TestNames::throughTheWholeGame()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, file);
    QFETCH(QString, read);

    GameFixture game(typed);
    QVERIFY(game.window->load());
    QCOMPARE(game.boxes.shown.value(1), u' ' + typed + Greeting);
    QCOMPARE(game.c().lblnome1->caption(), shown);
    QCOMPARE(game.c().lblnome1->textFormat(), Qt::PlainText);
    QCOMPARE(game.c().lblnome1->text(), displayed(shown));
    QCOMPARE(game.c().Txtnome1->text(), shown);

    game.window->activate();
    playUntilCalledByName(game);
    QVERIFY2(game.agent.requests.contains(QStringLiteral("Speak ") + shown), qPrintable(game.agent.requests.join(u'|')));
    game.run([&game] { game.quiz().cmdExit1_Click(); });
    QCOMPARE(game.endedWith, std::optional<int>(0));
    QCOMPARE(entryState(game.namePath()), "file:" + file + "\r\n");

    GameFixture next(QStringLiteral("Mario"));
    QVERIFY(QDir().mkpath(next.recordDir()));
    QVERIFY(QFile::copy(game.scorePath(), next.scorePath()));
    QVERIFY(QFile::copy(game.namePath(), next.namePath()));
    QVERIFY(next.window->load());
    QCOMPARE(next.c().lblpunti->caption(), QStringLiteral("4\r\n"));
    QCOMPARE(next.c().lblnome->caption(), read + QStringLiteral("\r\n"));
    QCOMPARE(next.c().lblnome->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestNames)
#include "tst_names.moc"
