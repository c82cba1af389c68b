#include "FakeAudioSink.h"

#include "character/AgentControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

using namespace vortana;

// Merlin on a real X display with no compositor and no window manager, the
// harshest place for a shaped, translucent window, in front of a game window
// that must keep the keyboard.
class TestDesktop : public QObject
{
    Q_OBJECT

public:
    explicit TestDesktop(QString noDisplay) : m_noDisplay(std::move(noDisplay)) {}

private Q_SLOTS:
    void initTestCase();
    void staysOutOfTheGamesWay();

private:
    QString m_noDisplay;
};

void TestDesktop::initTestCase()
{
    if (!m_noDisplay.isEmpty())
        QSKIP(qPrintable(QStringLiteral("no private X display: ") + m_noDisplay));
}

void TestDesktop::staysOutOfTheGamesWay()
{
    const QColor behind(255, 0, 255);
    QWidget game;
    game.setAutoFillBackground(true);
    QPalette palette = game.palette();
    palette.setColor(QPalette::Window, behind);
    game.setPalette(palette);
    auto *answer = new QLineEdit(&game);
    auto *layout = new QVBoxLayout(&game);
    layout->addStretch();
    layout->addWidget(answer);
    game.setGeometry(50, 50, 800, 600);
    game.show();
    game.activateWindow();
    answer->setFocus();
    QTRY_VERIFY(game.isActiveWindow());

    SteadyClock clock;
    AgentControl agent(clock, std::make_unique<FakeAudioSink>());
    agent.Characters().Load(QStringLiteral("Merlin"), qEnvironmentVariable("VORTANA_TEST_SOURCE_DIR")
                                                          + QStringLiteral("/assets/chars/Merlin.vchar"));
    Character &merlin = agent.characters().Item(QStringLiteral("Merlin"));
    merlin.Height(205);
    merlin.Show();
    merlin.MoveTo(250, 175);
    merlin.Speak(QStringLiteral("Sei sulla buona strada per diventare cavaliere"));
    QTRY_VERIFY_WITH_TIMEOUT(merlin.stage().balloon().isVisible(), 120000);

    QVERIFY(game.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), answer);
    QCOMPARE(merlin.stage().geometry().topLeft(), QPoint(250, 175));
    // What a window manager would act on: above the game, out of the task bar.
    for (Qt::WindowType flag : {Qt::Tool, Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowDoesNotAcceptFocus})
        QVERIFY(merlin.stage().window().windowFlags().testFlag(flag));

    // Where the drawing leaves the window empty the game shows, not black.
    // The server draws in its own time: the screen is read once both show.
    const QRect character = merlin.stage().geometry();
    const QRect balloon = merlin.stage().balloon().geometry();
    const QPoint robeAt(character.left() + character.width() / 2 - 12, character.top() + character.height() * 3 / 4);
    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT(
        (screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
         screen.pixelColor(robeAt).blue() > 150 && screen.pixelColor(robeAt).red() < 100
             && screen.pixelColor(balloon.center()).lightness() > 200),
        120000);
    QCOMPARE(screen.pixelColor(character.topLeft() + QPoint(3, 3)), behind);
    QCOMPARE(screen.pixelColor(character.bottomRight() - QPoint(3, 3)), behind);
    QCOMPARE(screen.pixelColor(balloon.topRight() + QPoint(-1, 1)), behind);
}

int main(int argc, char **argv)
{
    // The server picks a free display itself and writes its number once it
    // accepts connections: no race with another test's server.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    while (!xvfb.canReadLine() && xvfb.waitForReadyRead(-1)) {
    }
    const QByteArray number = xvfb.readLine().trimmed();
    if (!number.isEmpty()) {
        qputenv("DISPLAY", ':' + number);
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        TestDesktop test(number.isEmpty() ? QStringLiteral("Xvfb did not start ") + xvfb.errorString() : QString());
        status = QTest::qExec(&test, argc, argv);
    }
    // Ended gracefully, the server takes its socket and lock file with it.
    xvfb.terminate();
    xvfb.waitForFinished();
    return status;
}

#include "tst_desktop.moc"
