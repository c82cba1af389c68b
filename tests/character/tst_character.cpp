#include "FakeAudioSink.h"

#include "character/AgentControl.h"
#include "character/file/CharacterFile.h"
#include "runtime/RuntimeError.h"

#include <QApplication>
#include <QTest>
#include <QThread>

using namespace vortana;
using namespace std::chrono_literals;

namespace {

QString merlinFile()
{
    return qEnvironmentVariable("VORTANA_TEST_SOURCE_DIR") + QStringLiteral("/assets/chars/Merlin.vchar");
}

} // namespace

class TestCharacter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void refusesBadCalls_data();
    void refusesBadCalls();
    void findsAnimationsWhateverTheCase_data();
    void findsAnimationsWhateverTheCase();
    void performsTheGameSequence();
    void balloonShowsTheWordsAsTheySound();
    void keepsTimeWithoutSound_data();
    void keepsTimeWithoutSound();
    void showingTwiceShowsNothingNew();
    void windowKeepsOutOfTheWay();

private:
    Character &merlin() { return m_agent->characters().Item(QStringLiteral("Merlin")); }
    // Moves the fake clock on, letting the speech thread and the event loop
    // work in between; a live sound ends when its length has passed.
    void run(std::chrono::milliseconds span);
    void runUntilIdle();

    ManualClock m_clock;
    FakeAudioSink *m_sink = nullptr;
    std::unique_ptr<AgentControl> m_agent;
    qsizetype m_seenPlays = 0;
    Clock::Duration m_playedAt{};
};

void TestCharacter::init()
{
    auto sink = std::make_unique<FakeAudioSink>();
    m_sink = sink.get();
    m_agent = std::make_unique<AgentControl>(m_clock, std::move(sink));
    m_agent->Characters().Load(QStringLiteral("Merlin"), merlinFile());
    m_seenPlays = 0;
}

void TestCharacter::cleanup()
{
    m_agent.reset();
}

void TestCharacter::run(std::chrono::milliseconds span)
{
    for (auto t = 0ms; t < span; t += RequestQueue::Step) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
        m_agent->queue().poll();
        if (m_sink->played.size() > m_seenPlays) {
            m_seenPlays = m_sink->played.size();
            m_playedAt = m_clock.now();
        }
        if (m_sink->busy() && m_clock.now() - m_playedAt >= m_sink->played.last()->length())
            m_sink->finish();
        m_clock.advance(RequestQueue::Step);
    }
}

void TestCharacter::runUntilIdle()
{
    for (int i = 0; i < 2000 && !m_agent->queue().isIdle(); ++i)
        run(RequestQueue::Step);
    QVERIFY(m_agent->queue().isIdle());
}

void TestCharacter::refusesBadCalls_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("named");

    QTest::newRow("fetching one never loaded") << QStringLiteral("Item") << QStringLiteral("Gandalf");
    QTest::newRow("loading the same id twice") << QStringLiteral("Load") << QStringLiteral("MERLIN");
    QTest::newRow("an unknown animation") << QStringLiteral("Play") << QStringLiteral("Dance");
    QTest::newRow("an animation by an inner name") << QStringLiteral("Play") << QStringLiteral("mouth_open");
    QTest::newRow("no height") << QStringLiteral("Height") << QStringLiteral("0");
    QTest::newRow("a giant") << QStringLiteral("Height") << QStringLiteral("99999");
    QTest::newRow("off every screen") << QStringLiteral("MoveTo") << QStringLiteral("1000000");
    QTest::newRow("a speech of a book") << QStringLiteral("Speak") << QStringLiteral("10001");
    QTest::newRow("a path for a name") << QStringLiteral("characterFile") << QStringLiteral("../../etc/passwd");
}

void TestCharacter::refusesBadCalls()
{
    QFETCH(QString, call);
    QFETCH(QString, named);
    try {
        if (call == QLatin1String("Item"))
            m_agent->Characters().Item(named);
        else if (call == QLatin1String("Load"))
            m_agent->Characters().Load(named, merlinFile());
        else if (call == QLatin1String("Play"))
            merlin().Play(named);
        else if (call == QLatin1String("Height"))
            merlin().Height(named.toInt());
        else if (call == QLatin1String("MoveTo"))
            merlin().MoveTo(named.toInt(), 0);
        else if (call == QLatin1String("Speak"))
            merlin().Speak(QString(named.toInt(), u'a'));
        else
            m_agent->characterFile(named);
        QFAIL("accepted");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.code(), ErrorCode::InvalidCall);
        QVERIFY2(error.detail().contains(named), qPrintable(error.detail()));
    }
    QVERIFY(m_agent->queue().isIdle());
}

void TestCharacter::findsAnimationsWhateverTheCase_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"Announce", "Greet", "congratulate", "domagic1", "domagic2", "ANNOUNCE", "greet", "DoMagic1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestCharacter::findsAnimationsWhateverTheCase()
{
    QFETCH(QString, name);
    merlin().Show();
    merlin().Play(name);
    QCOMPARE(m_agent->queue().waiting(), std::size_t(2));
    runUntilIdle();
    QVERIFY(merlin().stage().isResting());
}

void TestCharacter::performsTheGameSequence()
{
    Character &m = merlin();
    const QPoint corner = m.stage().position();
    m.Show();
    m.MoveTo(250, 175);
    m.Play(QStringLiteral("Greet"));
    m.Height(205);
    m.Speak(QStringLiteral("6"));
    m.Speak(QStringLiteral("per"));
    m.Speak(QStringLiteral("sette"));
    // Nothing has happened yet but the setting of the height.
    QVERIFY(!m.stage().isShown());
    QCOMPARE(m.stage().position(), corner);
    QCOMPARE(m.stage().geometry().height(), 205);
    QCOMPARE(m_agent->queue().waiting(), std::size_t(6));

    run(100ms);
    QVERIFY(m.stage().isShown());
    runUntilIdle();
    QCOMPARE(m.stage().position(), QPoint(250, 175));
    QCOMPARE(m_sink->played.size(), 3);
    QCOMPARE(m_sink->overlaps, 0);
    // In the order asked: "sette" is the longest of the three, "per" the shortest.
    QVERIFY(m_sink->played[1]->length() < m_sink->played[0]->length());
    QVERIFY(m_sink->played[1]->length() < m_sink->played[2]->length());
    // Requests of a later question queue behind: here a second round.
    m.Speak(QStringLiteral("6"));
    m.Speak(QStringLiteral("per"));
    run(200ms);
    QCOMPARE(m_sink->played.size(), 4);
    runUntilIdle();
    QCOMPARE(m_sink->played.size(), 5);
    QCOMPARE(m_sink->overlaps, 0);
}

void TestCharacter::balloonShowsTheWordsAsTheySound()
{
    Character &m = merlin();
    m.Show();
    runUntilIdle();
    m.Speak(QStringLiteral("Sei sulla buona strada, cavaliere"));
    QStringList seen;
    for (int i = 0; i < 200 && !m_agent->queue().isIdle(); ++i) {
        run(RequestQueue::Step);
        const QString shown = m.stage().balloon().shownText();
        if (!shown.isEmpty() && (seen.isEmpty() || seen.last() != shown))
            seen.append(shown);
    }
    QVERIFY(m.stage().balloon().isVisible());
    QCOMPARE(seen, (QStringList{"Sei", "Sei sulla", "Sei sulla buona", "Sei sulla buona strada,",
                                "Sei sulla buona strada, cavaliere"}));
    // The balloon closes a little after the voice.
    QTRY_VERIFY(!m.stage().balloon().isVisible());
}

void TestCharacter::keepsTimeWithoutSound_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("extraMs"); // beyond the length of the speech
    QTest::addColumn<int>("stops");

    QTest::newRow("no sound server") << int(FakeAudioSink::Mode::Absent) << 0 << 0;
    QTest::newRow("a server that stopped answering") << int(FakeAudioSink::Mode::Stuck) << 3000 << 1;
}

void TestCharacter::keepsTimeWithoutSound()
{
    QFETCH(int, mode);
    QFETCH(int, extraMs);
    QFETCH(int, stops);
    cleanup();
    auto sink = std::make_unique<FakeAudioSink>(FakeAudioSink::Mode(mode));
    FakeAudioSink *fake = sink.get();
    m_agent = std::make_unique<AgentControl>(m_clock, std::move(sink));
    m_agent->Characters().Load(QStringLiteral("Merlin"), merlinFile());
    m_sink = fake;
    merlin().Speak(QStringLiteral("Sei eccezionale"));
    merlin().Speak(QStringLiteral("sette"));
    Clock::Duration start{};
    const Clock::Duration end = m_clock.now() + 30s;
    while (m_sink->played.size() < 2 && m_clock.now() < end) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
        m_agent->queue().poll();
        if (m_sink->played.size() == 1 && start == Clock::Duration{})
            start = m_clock.now();
        m_clock.advance(10ms);
    }
    QCOMPARE(m_sink->played.size(), 2);
    const auto length = m_sink->played.first()->length();
    QVERIFY(length > 500ms);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(m_clock.now() - start);
    QVERIFY2(took >= length + std::chrono::milliseconds(extraMs) - 20ms
                 && took <= length + std::chrono::milliseconds(extraMs) + 60ms,
             qPrintable(QStringLiteral("%1 ms for %2 ms").arg(took.count()).arg(length.count())));
    QCOMPARE(m_sink->stops, stops);
}

void TestCharacter::showingTwiceShowsNothingNew()
{
    merlin().Show();
    runUntilIdle();
    const quint64 frames = merlin().stage().window().framesShown();
    merlin().Show();
    run(80ms);
    QVERIFY(m_agent->queue().isIdle());
    QVERIFY(merlin().stage().window().framesShown() <= frames + 1); // a blink at most
}

void TestCharacter::windowKeepsOutOfTheWay()
{
    merlin().Show();
    runUntilIdle();
    const CharacterWindow &window = merlin().stage().window();
    for (Qt::WindowType flag : {Qt::Tool, Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowDoesNotAcceptFocus})
        QVERIFY(window.windowFlags().testFlag(flag));
    QVERIFY(window.testAttribute(Qt::WA_ShowWithoutActivating));
    // Shaped to the drawing: the corners beside the hat are cut away, the robe is not.
    const QRegion shape = window.shape();
    QVERIFY(!shape.isEmpty());
    QVERIFY(!shape.contains(QPoint(2, 2)));
    QVERIFY(shape.contains(QPoint(window.width() / 2, window.height() * 3 / 4)));
}

QTEST_MAIN(TestCharacter)
#include "tst_character.moc"
