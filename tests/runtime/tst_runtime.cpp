#include "runtime/Dispatcher.h"
#include "runtime/Int16.h"
#include "runtime/Picture.h"
#include "runtime/RuntimeError.h"
#include "runtime/TickTimer.h"
#include "runtime/Val.h"

#include <QTest>

using namespace vortana;

class TestRuntime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void int16Arithmetic_data();
    void int16Arithmetic();
    void picture_data();
    void picture();
    void val_data();
    void val();
    void dispatcherReportsErrorsAndEnds();
    void dispatcherRefusesNestedAndEndedHandlers();
    void tickTimerKeepsToItsSchedule();
};

void TestRuntime::int16Arithmetic_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<char>("op");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("expected"); // -99999 stands for "Overflow"

    QTest::newRow("counter step") << 41 << '+' << 1 << 42;
    QTest::newRow("last counter step") << 32766 << '+' << 1 << 32767;
    QTest::newRow("counter past the top") << 32767 << '+' << 1 << -99999;
    QTest::newRow("sum of counters past the top") << 20000 << '+' << 12768 << -99999;
    QTest::newRow("product of the table") << 10 << '*' << 6 << 60;
    QTest::newRow("product past the top") << 200 << '*' << 200 << -99999;
    QTest::newRow("negative product in range") << -1024 << '*' << 32 << -32768;
    QTest::newRow("difference at the bottom") << -32768 << '-' << 1 << -99999;
    QTest::newRow("clock borrow") << 0 << '-' << 1 << -1;
}

void TestRuntime::int16Arithmetic()
{
    QFETCH(int, a);
    QFETCH(char, op);
    QFETCH(int, b);
    QFETCH(int, expected);
    const Int16 x(static_cast<std::int16_t>(a));
    const Int16 y(static_cast<std::int16_t>(b));
    auto compute = [&] { return op == '+' ? x + y : op == '-' ? x - y : x * y; };
    if (expected == -99999) {
        try {
            compute();
            QFAIL("no overflow raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), 6);
            QCOMPARE(error.title(), QStringLiteral("Overflow"));
        }
    } else {
        QCOMPARE(int(compute()), expected);
    }
}

void TestRuntime::picture_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");

    QTest::newRow("#0 one digit") << 6.0 << "#0" << "6";
    QTest::newRow("00 zero fill") << 7.0 << "00" << "07";
    QTest::newRow("00 zero") << 0.0 << "00" << "00";
    QTest::newRow("00 two digits") << 59.0 << "00" << "59";
    QTest::newRow("00 float seconds") << double(59.0f) << "00" << "59";
    QTest::newRow("####0 zero") << 0.0 << "####0" << "0";
    QTest::newRow("####0 no grouping") << 32767.0 << "####0" << "32767";
    QTest::newRow("###0 wider than picture") << 12345.0 << "###0" << "12345";
    QTest::newRow("negative") << -5.0 << "00" << "-05";
}

void TestRuntime::picture()
{
    QFETCH(double, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(formatPicture(value, picture), expected);
}

void TestRuntime::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("digits and CR LF") << "12\r\n" << 12.0;
    QTest::newRow("leading blanks") << "  7" << 7.0;
    QTest::newRow("leading blank then letters") << " 12abc" << 12.0;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("fraction") << "3.75x" << 3.75;
    QTest::newRow("not a number") << "Mario" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("huge exponent") << "1e999999" << 0.0;
    QTest::newRow("CR alone first") << "\r12" << 0.0;
}

void TestRuntime::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void TestRuntime::dispatcherReportsErrorsAndEnds()
{
    QString shown;
    int endedWith = -1;
    Dispatcher dispatcher({[&](const QString &m) { shown = m; }, [&](int s) { endedWith = s; }});

    QVERIFY(dispatcher.dispatch([] { throw RuntimeError(ErrorCode::Overflow); }));
    QCOMPARE(shown, QStringLiteral("Errore di run-time '6':\n\nOverflow"));
    QCOMPARE(endedWith, Dispatcher::ErrorExitStatus);
    QVERIFY(dispatcher.ended());

    Dispatcher clean({[&](const QString &m) { shown = m; }, [&](int s) { endedWith = s; }});
    shown.clear();
    clean.dispatch([] { throw ProgramEnd(0); });
    QCOMPARE(endedWith, 0);
    QVERIFY(shown.isEmpty());
}

void TestRuntime::dispatcherRefusesNestedAndEndedHandlers()
{
    Dispatcher dispatcher({{}, {}});
    int inner = 0;
    QVERIFY(dispatcher.dispatch([&] { QVERIFY(!dispatcher.dispatch([&] { ++inner; })); }));
    QCOMPARE(inner, 0);
    QVERIFY(dispatcher.dispatch([&] { ++inner; }));
    QCOMPARE(inner, 1);
    dispatcher.dispatch([] { throw ProgramEnd(0); });
    QVERIFY(!dispatcher.dispatch([&] { ++inner; }));
    QCOMPARE(inner, 1);
}

void TestRuntime::tickTimerKeepsToItsSchedule()
{
    using namespace std::chrono;
    ManualClock clock;
    TickTimer timer(clock);
    int ticks = 0;
    connect(&timer, &TickTimer::tick, this, [&] { ++ticks; });

    timer.setEnabled(true);
    clock.advance(999ms);
    timer.poll();
    QCOMPARE(ticks, 0);
    clock.advance(1ms);
    timer.poll();
    QCOMPARE(ticks, 1);
    // A late wake-up does not shift the later ticks.
    clock.advance(1400ms);
    timer.poll();
    QCOMPARE(ticks, 2);
    QCOMPARE(timer.nextDue() - milliseconds(0), clock.now() - milliseconds(400) + seconds(1));
    timer.setEnabled(false);
    clock.advance(10s);
    timer.poll();
    QCOMPARE(ticks, 2);
}

QTEST_GUILESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
