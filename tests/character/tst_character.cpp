#include "FakeAudioSink.h"
#include "GameFixture.h"
#include "RecordFiles.h"

#include "character/AgentControl.h"
#include "character/file/CharacterFile.h"
#include "character/queue/SpeakRequest.h"
#include "character/stage/FrameRenderer.h"
#include "character/stage/SpeechBalloon.h"
#include "character/voice/SpeechEngine.h"

#include <QDir>
#include <QTest>

#include <algorithm>

using namespace vortana;

namespace {

// The game's character host, loading its character from the test's file.
class FileAgent final : public Agent
{

public:
    FileAgent(const Clock &clock, QString file) : m_control(clock, std::make_unique<FakeAudioSink>()), m_file(std::move(file)) {}
    AgentCharacters &Characters() override { return m_control.Characters(); }
    QString characterFile(const QString &) const override { return m_file; }

private:
    AgentControl m_control;
    QString m_file;
};

} // namespace

class TestCharacter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { start(FakeAudioSink::Mode::Absent); }
    void performsTheGameSequence_data()
    {
        QTest::addColumn<FakeAudioSink::Mode>("mode");
        QTest::addColumn<int>("extraMs"); // each text takes beyond its length
        QTest::addColumn<int>("stops");

        QTest::newRow("no sound server") << FakeAudioSink::Mode::Absent << 0 << 0;
        QTest::newRow("a server that stopped answering") << FakeAudioSink::Mode::Stuck << int(std::chrono::milliseconds(SpeakRequest::Slack).count()) << 3;
    }

    void performsTheGameSequence()
    {
        QFETCH(FakeAudioSink::Mode, mode);
        QFETCH(int, extraMs);
        QFETCH(int, stops);
        start(mode);
        Character &m = merlin();
        const QPoint corner = m.stage().position(), from(400, 300), to(250, 175);
        m.MoveTo(from.x(), from.y()); // not yet shown: put there at once
        m.Show();
        m.MoveTo(to.x(), to.y());
        m.Play(QStringLiteral("greet"));
        m.Height(205);
        for (const char *text : {"sette", "per", "Sei sulla buona strada, cavaliere"})
            m.Speak(QString::fromLatin1(text));
        // The calls return at once: nothing has happened yet but the setting of the height.
        QVERIFY(!m.stage().isShown());
        QCOMPARE(m.stage().position(), corner);
        QCOMPARE(m.stage().geometry().height(), 205);
        QCOMPARE(m_agent->queue().waiting(), std::size_t(7));

        QList<Clock::Duration> playedAt;
        QStringList seen;
        QList<QPoint> path;
        runUntilIdle([&] {
            if (path.isEmpty() || path.last() != m.stage().position())
                path.append(m.stage().position());
            if (m_sink->played.size() > playedAt.size())
                playedAt.append(m_clock.now());
            const QString shown = m.stage().balloon().shownText();
            if (!shown.isEmpty() && (seen.isEmpty() || seen.last() != shown))
                seen.append(shown);
        });
        QVERIFY(m.stage().isShown() && m.stage().isResting());
        // He glides from where he stood, step by step along the line, to where he was sent.
        QCOMPARE(path.first(), from);
        QCOMPARE(path.last(), to);
        QVERIFY(path.size() > 5);
        for (const QPoint &at : path) {
            const QPointF along = at - from, line = to - from;
            const qreal t = QPointF::dotProduct(along, line) / QPointF::dotProduct(line, line);
            QVERIFY2(t >= 0 && t <= 1 && QLineF(at, from + line * t).length() <= 1, qPrintable(QStringLiteral("at %1, %2").arg(at.x()).arg(at.y())));
        }
        // The balloon shows the words as they sound.
        QCOMPARE(seen, (QStringList{"sette", "per", "Sei", "Sei sulla", "Sei sulla buona", "Sei sulla buona strada,",
                                    "Sei sulla buona strada, cavaliere"}));
        // In the order asked ("per" is the shortest), each given its own length.
        const auto &played = m_sink->played;
        QCOMPARE(played.size(), 3);
        QVERIFY(played[1]->length() < played[0]->length() && played[0]->length() < played[2]->length());
        for (int i = 1; i < 3; ++i) {
            const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(playedAt[i] - playedAt[i - 1]);
            const auto due = played[i - 1]->length() + std::chrono::milliseconds(extraMs);
            QVERIFY2(gap >= due && gap <= due + 2 * RequestQueue::Step, qPrintable(QStringLiteral("%1 ms for %2").arg(gap.count()).arg(due.count())));
        }
        QCOMPARE(m_sink->stops, stops);
        // The balloon closes a little after the voice.
        QVERIFY(QTest::qWaitFor([&] { return !m.stage().balloon().isVisible(); }));
    }

    void showingTwiceShowsNothingNew()
    {
        merlin().Show();
        runUntilIdle();
        const quint64 frames = merlin().stage().view().framesShown();
        merlin().Show();
        runUntilIdle();
        QVERIFY(merlin().stage().view().framesShown() <= frames + 1); // a blink at most
    }

    // His mouth opens with each loud stretch of his voice and is shut in the
    // pauses between: what is drawn of his face, step by step.
    void mouthFollowsTheVoice()
    {
        Character &m = merlin();
        m.Show();
        runUntilIdle();
        const CharacterStage &stage = m.stage();
        const CharacterData &data = stage.data();
        CharacterArt art(data.art, data.ground);
        QRect mouth;
        QList<QList<LayerRef>> still; // each mouth on his face at rest, before the idle bob moves it
        for (const QString &shape : data.mouths) {
            mouth |= art.pixelArea({shape, {}}, 1.0, stage.height(), stage.view().devicePixelRatioF());
            still.append(data.find(QStringLiteral("Idle"))->frames.constFirst().layers);
            std::replace(still.last().begin(), still.last().end(), LayerRef{data.mouths.constFirst(), {}}, LayerRef{shape, {}});
        }
        const auto face = [&] { return const_cast<CharacterView &>(stage.view()).grab().toImage().copy(mouth); };
        const QImage shut = face();
        QString seen;
        m.Speak(QStringLiteral("sette, per, sei"));
        runUntilIdle([&] {
            // The bob and the blinks come in real time: only the face at rest is compared.
            if (std::none_of(still.cbegin(), still.cend(), [&](const auto &layers) { return stage.frames().shows(layers, 1.0); }))
                return;
            const QChar now = face() == shut ? u'_' : u'o';
            if (!seen.endsWith(now))
                seen += now;
        });
        QVERIFY2(seen.contains(QStringLiteral("o_o")) && seen.endsWith(u'_'), qPrintable(seen));
    }

    // The game's start-up ends with the error box, the record left as it was.
    void brokenStartUpEnds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");

        const QByteArray merlin = test::entryState(QStringLiteral(VORTANA_TEST_MERLIN));
        QByteArray noVoice = merlin;
        noVoice.replace("{\"voice\":\"it\"", "{\"voice\":\"zz\"");
        QVERIFY(noVoice != merlin);
        QTest::newRow("a voice the engine does not have") << noVoice << "zz";
        // Run on its own by test_character_nospeech: the engine starts once a process.
        QTest::newRow("no speech data") << merlin << "sintesi vocale non disponibile";
    }

    void brokenStartUpEnds()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        if (QTest::currentDataTag() == QLatin1String("no speech data") && !qEnvironmentVariableIsSet("ESPEAK_DATA_PATH"))
            QSKIP("needs a process whose speech engine has no data");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Merlin.vchar"));
        QVERIFY(test::writeBytes(file, content));
        FileAgent agent(m_clock, file); // outlives the window that drives it
        test::GameFixture game;
        QVERIFY(QDir().mkpath(game.directory) && test::writeBytes(game.scorePath(), "12\r\n") && test::writeBytes(game.namePath(), "Anna\r\n"));
        game.host = &agent;
        game.use(std::move(game.records));
        QVERIFY(!game.window->load());
        QCOMPARE(game.endedWith, std::optional<int>(Dispatcher::ErrorExitStatus));
        const QString box = game.boxes.shown.last();
        QVERIFY2(box.startsWith(QStringLiteral("Errore di run-time")) && box.contains(reason) && box.contains(file), qPrintable(box));
        QCOMPARE(test::entryState(game.scorePath()) + test::entryState(game.namePath()), "12\r\nAnna\r\n");
        QCOMPARE(QDir(game.directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3); // and the lock
    }

    // The introduction is longer than the balloon: it wraps, scrolls so that
    // the newest words stay in sight, and keeps above the ground he stands on.
    void keepsTheNewestWordsInSight()
    {
        const QString intro = QStringLiteral(
            "Allora attenzione, iniziamo la nostra avventura con la tabellina del 6. Io detto e tu scrivi il "
            "risultato nello spazio sotto di me. Mi raccomando inserisci il risultato e premi invio e poi aspetta "
            "che io finisca di parlare e premi ancora invio per avere la domanda successiva");
        QWidget game;
        game.resize(785, 556);
        SpeechBalloon balloon(&game);
        const int ground = 319;
        balloon.open(intro, QRect(246, 133, 155, 205), ground);
        QVERIFY(balloon.geometry().bottom() <= ground && game.rect().contains(balloon.geometry()));
        const QFontMetrics metrics(balloon.font());
        for (const qsizetype shown : {qsizetype(6), intro.size() / 2, intro.size()}) {
            balloon.reveal(shown);
            const QStringList lines = balloon.linesInSight();
            QVERIFY(intro.left(shown).endsWith(lines.join(QString())));
            for (const QString &line : lines)
                QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= SpeechBalloon::TextWidth, qPrintable(line));
        }
        QCOMPARE(balloon.linesInSight().size(), SpeechBalloon::MaxLines);
    }

    // A picture drawn over the one before only where a layer changed is the
    // picture drawn whole.
    void redrawsOnlyWhatChanged_data()
    {
        QTest::addColumn<QList<LayerRef>>("before");
        QTest::addColumn<QList<LayerRef>>("after");
        QTest::addColumn<qreal>("ratio");
        const CharacterData data = CharacterFile::load(QStringLiteral(VORTANA_TEST_MERLIN));
        const auto pose = [&data](const char *animation, int frame, const char *from = "", const char *to = "") {
            QList<LayerRef> layers = data.find(QLatin1String(animation))->frames.at(frame).layers;
            for (LayerRef &layer : layers)
                layer.id = layer.id == QLatin1String(from) ? QLatin1String(to) : layer.id;
            return layers;
        };
        for (const qreal ratio : {1.0, 2.0}) {
            const QByteArray scale = QByteArray::number(ratio);
            QTest::newRow("mouth wide open, " + scale) << pose("Rest", 0) << pose("Rest", 0, "mouth_rest", "mouth_wide") << ratio;
            QTest::newRow("mouth from open to small, " + scale)
                << pose("Rest", 0, "mouth_rest", "mouth_open") << pose("Rest", 0, "mouth_rest", "mouth_small") << ratio;
            QTest::newRow("arm raised, " + scale) << pose("Rest", 0) << pose("Rest", 0, "arm_r_down", "arm_r_up") << ratio;
            // The idle bob moves his head and arms without changing them; a blink then closes eyes that moved.
            QTest::newRow("head bobbed, " + scale) << pose("Idle", 0) << pose("Idle", 2) << ratio;
            QTest::newRow("eyes closed, bobbed, " + scale) << pose("Idle", 0) << pose("Idle", 2, "eyes_open", "eyes_closed") << ratio;
        }
    }

    void redrawsOnlyWhatChanged()
    {
        QFETCH(QList<LayerRef>, before);
        QFETCH(QList<LayerRef>, after);
        QFETCH(qreal, ratio);
        const CharacterData &data = merlin().stage().data();
        FrameRenderer frames(data.art, data.ground);
        frames.setHeight(data.height, ratio);
        frames.frame(before, 1.0);
        QVERIFY(!frames.shows(after, 1.0));
        const QImage redrawn = frames.frame(after, 1.0).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        CharacterArt art(data.art, data.ground);
        const QImage whole = art.render(after, 1.0, data.height, ratio);
        QCOMPARE(redrawn.size(), whole.size());
        // Gradients are worked out along each run of pixels, so a run cut
        // short by the redrawn area may come out a shade apart.
        int apart = 0;
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x) {
                const QRgb a = whole.pixel(x, y), b = redrawn.pixel(x, y);
                apart = std::max({apart, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                  std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        }
        QVERIFY2(apart <= 2, qPrintable(QStringLiteral("a pixel %1 levels apart").arg(apart)));
    }

private:
    Character &merlin() { return m_agent->characters().Item(QStringLiteral("Merlin")); }
    void start(FakeAudioSink::Mode mode)
    {
        m_agent.reset();
        auto sink = std::make_unique<FakeAudioSink>(mode);
        m_sink = sink.get();
        m_agent = std::make_unique<AgentControl>(m_clock, std::move(sink));
        m_agent->Characters().Load(QStringLiteral("Merlin"), QStringLiteral(VORTANA_TEST_MERLIN));
    }

    // Steps the fake clock until the queue is idle; every text asked for is
    // rendered before the clock first moves.
    void runUntilIdle(const std::function<void()> &watch = [] {})
    {
        SpeechEngine::instance().phonemes({}, {}); // the engine's jobs run in order
        for (int i = 0; i < 5000 && !m_agent->queue().isIdle(); ++i) {
            QCoreApplication::processEvents();
            m_agent->queue().poll();
            m_clock.advance(RequestQueue::Step);
            watch();
        }
        QVERIFY(m_agent->queue().isIdle());
    }

    ManualClock m_clock;
    FakeAudioSink *m_sink = nullptr;
    std::unique_ptr<AgentControl> m_agent;
};

QTEST_MAIN(TestCharacter)
#include "tst_character.moc"
