#include "character/queue/RequestQueue.h"

#include <QTest>

#include <stdexcept>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

// "name:length" ends after length ms, "name:never" overruns its limit and
// "name:throw" fails at its start. Names beginning with x have one owner.
class ScriptedRequest final : public Request
{

public:
    ScriptedRequest(QStringList &log, const QString &order)
        : m_log(log), m_name(order.section(u':', 0, 0)), m_behaviour(order.section(u':', 1))
    {
    }

    const void *owner() const override { return m_name.startsWith(u'x') ? "x" : "other"; }
    void start(Clock::Duration now) override
    {
        m_log << QStringLiteral("start ") + m_name;
        m_startedAt = now;
        if (m_behaviour == QLatin1String("throw"))
            throw std::runtime_error("broken");
    }
    bool advance(Clock::Duration now) override
    {
        if (m_behaviour == QLatin1String("never") || now - m_startedAt < std::chrono::milliseconds(m_behaviour.toInt()))
            return false;
        m_log << QStringLiteral("end ") + m_name;
        return true;
    }
    void cancel() override { m_log << QStringLiteral("cut ") + m_name; }
    Clock::Duration limit() const override { return 1s; }

private:
    QStringList &m_log;
    QString m_name;
    QString m_behaviour;
    Clock::Duration m_startedAt{};
};

} // namespace

class TestRequestQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void performsInOrder_data()
    {
        QTest::addColumn<QStringList>("script"); // "@t order" joins at t ms; "@t -x" withdraws x's requests
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("a later caller waits behind")
            << QStringList{"a:500", "@200 b:100", "@250 c:0"}
            << QStringList{"start a", "end a", "start b", "end b", "start c", "end c"};
        QTest::newRow("nothing stalls behind trouble")
            << QStringList{"a:never", "b:throw", "c:never", "d:50"}
            << QStringList{"start a", "cut a", "start b", "cut b", "start c", "cut c", "start d", "end d"};
        QTest::newRow("an owner withdraws its own")
            << QStringList{"x1:20", "b:10", "x2:10", "c:10", "@10 -x"}
            << QStringList{"start x1", "cut x1", "start b", "end b", "start c", "end c"};
    }

    void performsInOrder()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, expected);
        ManualClock clock;
        RequestQueue queue(clock);
        QStringList log;
        for (int t = 0; t <= 5000; t += 10) {
            for (const QString &line : script) {
                const bool later = line.startsWith(u'@');
                if ((later ? line.section(u' ', 0, 0).mid(1).toInt() : 0) != t)
                    continue;
                const QString order = later ? line.section(u' ', 1) : line;
                if (order.startsWith(u'-'))
                    queue.discard("x");
                else
                    queue.enqueue(std::make_unique<ScriptedRequest>(log, order));
            }
            queue.poll();
            clock.advance(10ms);
        }
        QCOMPARE(log, expected);
        QVERIFY(queue.isIdle());
    }

    void returnsAtOnce()
    {
        ManualClock clock;
        RequestQueue queue(clock);
        QStringList log;
        queue.enqueue(std::make_unique<ScriptedRequest>(log, QStringLiteral("a:100")));
        QVERIFY(log.isEmpty());
        // It starts on the next turn of the event loop, without anyone polling.
        QTRY_COMPARE(log, QStringList{QStringLiteral("start a")});
        queue.clear();
        QCOMPARE(log.last(), QStringLiteral("cut a"));
    }
};

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "tst_requestqueue.moc"
