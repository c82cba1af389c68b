#include "runtime/Dispatcher.h"
#include "runtime/Int16.h"
#include "runtime/RuntimeError.h"

#include <QTest>

using namespace vortana;

class TestRuntime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void int16Arithmetic_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("expected"); // -99999: "Overflow"

        QTest::newRow("last counter step") << 32766 << '+' << 1 << 32767;
        QTest::newRow("counter past the top") << 32767 << '+' << 1 << -99999;
        QTest::newRow("product past the top") << 200 << '*' << 200 << -99999;
        QTest::newRow("negative product in range") << -1024 << '*' << 32 << -32768;
        QTest::newRow("difference at the bottom") << -32768 << '-' << 1 << -99999;
        QTest::newRow("clock borrow") << 0 << '-' << 1 << -1;
    }

    void int16Arithmetic()
    {
        QFETCH(int, a);
        QFETCH(char, op);
        QFETCH(int, b);
        QFETCH(int, expected);
        const Int16 x(static_cast<std::int16_t>(a));
        const Int16 y(static_cast<std::int16_t>(b));
        try {
            QCOMPARE(int(op == '+' ? x + y : op == '-' ? x - y : x * y), expected);
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), 6);
            QCOMPARE(error.title(), QStringLiteral("Overflow"));
            QCOMPARE(expected, -99999);
        }
    }

    void dispatcherShowsTheErrorBoxAndEnds()
    {
        QString shown;
        int endedWith = -1;
        Dispatcher dispatcher({[&](const QString &m) { shown = m; }, [&](int s) { endedWith = s; }});
        int inner = 0;
        QVERIFY(dispatcher.dispatch([&] { QVERIFY(!dispatcher.dispatch([&] { ++inner; })); }));
        QCOMPARE(inner, 0); // no handler inside another
        QVERIFY(dispatcher.dispatch([] { throw RuntimeError(ErrorCode::Overflow); }));
        QCOMPARE(shown, QStringLiteral("Errore di run-time '6':\n\nOverflow"));
        QCOMPARE(endedWith, Dispatcher::ErrorExitStatus);
        QVERIFY(dispatcher.ended());
    }
};

QTEST_GUILESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
