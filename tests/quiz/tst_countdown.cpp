#include "quiz/Countdown.h"
#include "quiz/GameState.h"

#include <QTest>

using namespace vortana;

class TestCountdown : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void timeline_data();
    void timeline();
    void borrowsAnHour();
};

void TestCountdown::timeline_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("secondsLeft");

    QTest::newRow("tick 1") << 1 << "00:06:59" << 419;
    QTest::newRow("tick 60 shows the whole minute") << 60 << "00:06:00" << 360;
    QTest::newRow("tick 61 borrows") << 61 << "00:05:59" << 359;
    QTest::newRow("tick 419") << 419 << "00:00:01" << 1;
    QTest::newRow("tick 420") << 420 << "00:00:00" << 0;
    // Past the end the shown clock stays at zero minutes while seconds run negative.
    QTest::newRow("tick 421 if nothing stopped it") << 421 << "00:00:-01" << -1;
}

void TestCountdown::timeline()
{
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    QFETCH(int, secondsLeft);

    GameState state;
    countdown::reset(state);
    for (int i = 0; i < ticks; ++i)
        countdown::advance(state);
    QCOMPARE(countdown::text(state), shown);
    QCOMPARE(int(state.secondsLeft), secondsLeft);
}

void TestCountdown::borrowsAnHour()
{
    GameState state;
    state.clockHours = 1;
    state.clockMinutes = 0;
    state.clockSeconds = 0.0f;
    state.secondsLeft = 3600;
    countdown::advance(state);
    QCOMPARE(countdown::text(state), QStringLiteral("00:59:59"));
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"
