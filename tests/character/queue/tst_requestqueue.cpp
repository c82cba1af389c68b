#include "character/queue/RequestQueue.h"

#include <QTest>

#include <stdexcept>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

struct Log
{
    QStringList events;
    int running = 0;
    int mostAtOnce = 0;
};

// "name:length", "name:never", "name:throw"; "@t name:..." joins the queue at t ms.
class ScriptedRequest final : public Request
{
public:
    ScriptedRequest(Log &log, QString name, QString behaviour) : m_log(log), m_name(std::move(name)), m_behaviour(std::move(behaviour)) {}
    ~ScriptedRequest() override { stop(); }

    const void *owner() const override { return m_name.startsWith(u'x') ? "x" : "other"; }
    void start(Clock::Duration now) override
    {
        m_log.events << QStringLiteral("start ") + m_name;
        m_log.mostAtOnce = std::max(m_log.mostAtOnce, ++m_log.running);
        m_running = true;
        m_startedAt = now;
        if (m_behaviour == QLatin1String("throw"))
            throw std::runtime_error("broken");
    }
    bool advance(Clock::Duration now) override
    {
        if (m_behaviour == QLatin1String("never") || now - m_startedAt < std::chrono::milliseconds(m_behaviour.toInt()))
            return false;
        m_log.events << QStringLiteral("end ") + m_name;
        stop();
        return true;
    }
    void cancel() override
    {
        m_log.events << QStringLiteral("cut ") + m_name;
        stop();
    }
    Clock::Duration limit() const override { return 1s; }

private:
    void stop()
    {
        if (m_running)
            --m_log.running;
        m_running = false;
    }

    Log &m_log;
    QString m_name;
    QString m_behaviour;
    Clock::Duration m_startedAt{};
    bool m_running = false;
};

} // namespace

class TestRequestQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void performsInOrder_data();
    void performsInOrder();
    void returnsAtOnce();
    void withdrawsAnOwnersRequests();
};

void TestRequestQueue::performsInOrder_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one after the other")
        << QStringList{"a:100", "b:300", "c:0"}
        << QStringList{"start a", "end a", "start b", "end b", "start c", "end c"};
    QTest::newRow("a later caller waits behind")
        << QStringList{"a:500", "@200 b:100", "@250 c:100"}
        << QStringList{"start a", "end a", "start b", "end b", "start c", "end c"};
    QTest::newRow("joins an idle queue")
        << QStringList{"a:100", "@900 b:100"} << QStringList{"start a", "end a", "start b", "end b"};
    QTest::newRow("one that never ends is cut")
        << QStringList{"a:never", "b:100"} << QStringList{"start a", "cut a", "start b", "end b"};
    QTest::newRow("one that fails is ended")
        << QStringList{"a:throw", "b:100"} << QStringList{"start a", "cut a", "start b", "end b"};
    QTest::newRow("nothing stalls behind trouble")
        << QStringList{"a:never", "b:throw", "c:never", "d:50"}
        << QStringList{"start a", "cut a", "start b", "cut b", "start c", "cut c", "start d", "end d"};
}

void TestRequestQueue::performsInOrder()
{
    QFETCH(QStringList, script);
    QFETCH(QStringList, expected);
    ManualClock clock;
    RequestQueue queue(clock);
    Log log;
    QList<std::pair<int, QString>> later;
    for (const QString &line : script) {
        int at = 0;
        QString order = line;
        if (line.startsWith(u'@')) {
            at = line.section(u' ', 0, 0).mid(1).toInt();
            order = line.section(u' ', 1);
        }
        later.append({at, order});
    }
    for (int t = 0; t <= 5000; t += 10) {
        for (const auto &[at, order] : later) {
            if (at == t)
                queue.enqueue(std::make_unique<ScriptedRequest>(log, order.section(u':', 0, 0), order.section(u':', 1)));
        }
        queue.poll();
        clock.advance(10ms);
    }
    QCOMPARE(log.events, expected);
    QCOMPARE(log.mostAtOnce, 1);
    QCOMPARE(log.running, 0);
    QVERIFY(queue.isIdle());
}

void TestRequestQueue::returnsAtOnce()
{
    ManualClock clock;
    RequestQueue queue(clock);
    Log log;
    queue.enqueue(std::make_unique<ScriptedRequest>(log, QStringLiteral("a"), QStringLiteral("100")));
    QVERIFY(log.events.isEmpty());
    // It starts on the next turn of the event loop, without anyone polling.
    QTRY_COMPARE(log.events, QStringList{QStringLiteral("start a")});
    queue.clear();
    QCOMPARE(log.events.last(), QStringLiteral("cut a"));
}

void TestRequestQueue::withdrawsAnOwnersRequests()
{
    ManualClock clock;
    RequestQueue queue(clock);
    Log log;
    for (const char *name : {"x1", "b", "x2", "c"})
        queue.enqueue(std::make_unique<ScriptedRequest>(log, QLatin1String(name), QStringLiteral("10")));
    queue.poll();
    queue.discard("x");
    for (int i = 0; i < 10; ++i) {
        clock.advance(10ms);
        queue.poll();
    }
    QCOMPARE(log.events, (QStringList{"start x1", "cut x1", "start b", "end b", "start c", "end c"}));
}

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "tst_requestqueue.moc"
