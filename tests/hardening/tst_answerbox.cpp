#include "GameFixture.h"
#include "LeavingTexts.h"

#include "quiz/controls/Label.h"
#include "quiz/controls/TextBox.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace vortana;
using namespace vortana::test;

// The answer box: what reaches it, typed or pasted, and how much of it.
class TestAnswerBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedOrPasted_data();
    void typedOrPasted();
    void buttonKeys_data();
    void buttonKeys();
};

void TestAnswerBox::typedOrPasted_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<bool>("right");

    QTest::newRow("product typed") << "type" << "42" << "42" << true;
    QTest::newRow("product pasted") << "paste" << "42" << "42" << true;
    QTest::newRow("300 digits typed") << "type" << QString(300, u'4') << QString(250, u'4') << false;
    QTest::newRow("300 digits pasted") << "paste" << QString(300, u'4') << QString(250, u'4') << false;
    QTest::newRow("product and line break pasted") << "paste" << "42\n" << "42\n" << false;
    QTest::newRow("product with a blank pasted") << "paste" << " 42" << " 42" << false;
    QTest::newRow("markup pasted") << "paste" << "<b>42</b>" << "<b>42</b>" << false;
    QTest::newRow("fullwidth digits pasted") << "paste" << "４２" << "４２" << false;
}

// The box holds at most 250 characters and judges the text as it stands:
// only the product's own digits, nothing around them, are right.
void TestAnswerBox::typedOrPasted()
{
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, kept);
    QFETCH(bool, right);

    GameFixture game;
    game.start(7);
    if (how == QLatin1String("paste")) {
        QApplication::clipboard()->setText(input);
        QTest::keyClick(game.c().Text3, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(game.c().Text3, input);
    }
    QCOMPARE(game.c().Text3->text(), kept);
    QVERIFY(!game.c().lblNum1->isHidden());
    QTest::keyClick(game.c().Text3, Qt::Key_Return);
    QCOMPARE(game.c().lblScore->caption(), QString::number(right ? 1 : 0));
    QCOMPARE(game.c().lblScore1->caption(), QString::number(right ? 0 : 1));
    QCOMPARE(game.c().Text3->text(), kept);
}

void TestAnswerBox::buttonKeys_data()
{
    QTest::addColumn<bool>("judgedFirst");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("questions");

    const QStringList none;
    const QStringList goodbye{Goodbye};
    QTest::newRow("Alt+X leaves") << false << int(Qt::Key_X) << goodbye << 1;
    QTest::newRow("Alt+N after the verdict asks again") << true << int(Qt::Key_N) << none << 2;
}

// Alt with the underlined letter presses that button, even from the answer box.
void TestAnswerBox::buttonKeys()
{
    QFETCH(bool, judgedFirst);
    QFETCH(int, key);
    QFETCH(QStringList, boxes);
    QFETCH(int, questions);

    GameFixture game;
    game.start();
    game.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.window.get()));
    if (judgedFirst)
        QTest::keyClick(game.c().Text3, Qt::Key_Return);
    game.agent.requests.clear();
    QTest::keyClick(game.c().Text3, Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(game.boxes.shown, boxes);
    QTRY_COMPARE(game.agent.requests.count(QStringLiteral("Speak per")), questions - 1);
    QCOMPARE(game.endedWith.has_value(), !boxes.isEmpty());
}

QTEST_MAIN(TestAnswerBox)
#include "tst_answerbox.moc"
