#include "FixedRandom.h"
#include "RecordingAgent.h"
#include "ScriptedBoxes.h"

#include "quiz/controls/Label.h"
#include "record/RecordStore.h"
#include "runtime/Clock.h"
#include "window/Tavola.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using namespace vortana;
using namespace vortana::test;

namespace {

constexpr int Rounds = 5;
constexpr int StartUps = 150;
constexpr int WaitMs = 60000;

QString holderOf(const QString &score)
{
    return QStringLiteral("giocatore %1").arg(score);
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

// "score|name" as a game showed or stored it: both empty, or a score with its holder.
bool onePair(const QString &pair)
{
    const QString score = pair.section(u'|', 0, 0).trimmed();
    const QString name = pair.section(u'|', 1).trimmed();
    return (score.isEmpty() && name.isEmpty()) || name == holderOf(score);
}

} // namespace

class TestConcurrentGames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endingAtOnce_data();
    void endingAtOnce();
    void startingWhileAnotherEnds();
};

void TestConcurrentGames::endingAtOnce_data()
{
    QTest::addColumn<int>("games");
    QTest::newRow("2 games") << 2;
    QTest::newRow("6 games") << 6;
}

// Several game processes leave at the same moment, each with a record: the
// files always hold the score and the name of one and the same game.
void TestConcurrentGames::endingAtOnce()
{
    QFETCH(int, games);
    QTemporaryDir temporary;
    const QString directory = temporary.filePath(QStringLiteral("records"));
    for (int round = 1; round <= Rounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> running;
        QStringList scores;
        for (int i = 0; i < games; ++i) {
            const QString score = QString::number(round * 100 + i);
            scores << score;
            auto game = std::make_unique<QProcess>();
            game->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            game->start(QStringLiteral(GAME_ENDER), {directory, holderOf(score), score});
            running.push_back(std::move(game));
        }
        for (const auto &game : running) {
            QVERIFY(game->waitForReadyRead(WaitMs));
            const QString ready = QString::fromUtf8(game->readLine()).trimmed();
            QVERIFY2(ready.startsWith(QStringLiteral("ready ")), qPrintable(ready));
            QVERIFY2(onePair(ready.mid(6)), qPrintable(ready));
        }
        for (const auto &game : running)
            game->write("\n");
        for (const auto &game : running) {
            QVERIFY(game->waitForFinished(WaitMs));
            QCOMPARE(game->exitStatus(), QProcess::NormalExit);
            QCOMPARE(game->exitCode(), 0);
        }
        const QString score = readAll(directory + QStringLiteral("/aquizrec6.txt"));
        const QString name = readAll(directory + QStringLiteral("/nquizrec6.txt"));
        QVERIFY2(score.endsWith(QStringLiteral("\r\n")) && scores.contains(score.trimmed()), qPrintable(score));
        QCOMPARE(name, holderOf(score.trimmed()) + QStringLiteral("\r\n"));
    }
}

// A game that starts while another stores its record shows one game's pair:
// the score of one game never comes with the name of another.
void TestConcurrentGames::startingWhileAnotherEnds()
{
    QTemporaryDir temporary;
    const RecordStore store(temporary.path());
    const QString score = store.GetSystemDir() + QStringLiteral("aquizrec6.txt");
    const QString name = store.GetSystemDir() + QStringLiteral("nquizrec6.txt");
    store.replacePair(score, QStringLiteral("1"), name, holderOf(QStringLiteral("1")));
    const pid_t writer = ::fork();
    QVERIFY(writer >= 0);
    if (writer == 0) {
        try {
            for (int n = 2;; ++n)
                store.replacePair(score, QString::number(n), name, holderOf(QString::number(n)));
        } catch (...) {
            ::_exit(1);
        }
    }

    QStringList mixed;
    for (int i = 0; i < StartUps; ++i) {
        ScriptedBoxes boxes;
        RecordingAgent agent;
        FixedRandom random;
        ManualClock clock;
        RecordStore records(temporary.path());
        Tavola window({boxes, agent, random, records, clock, [](int) {}});
        QVERIFY(window.load());
        const QString shown = window.controls().lblpunti->caption() + u'|' + window.controls().lblnome->caption();
        if (!onePair(shown))
            mixed << shown.simplified();
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    QVERIFY2(mixed.isEmpty(), qPrintable(QStringLiteral("%1 of %2 start-ups showed a mixed pair, e.g. %3")
                                             .arg(mixed.size()).arg(StartUps).arg(mixed.value(0))));
}

QTEST_MAIN(TestConcurrentGames)
#include "tst_concurrentgames.moc"
