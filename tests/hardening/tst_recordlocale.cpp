#include "GameFixture.h"
#include "LeavingTexts.h"
#include "RecordFiles.h"

#include "quiz/controls/Label.h"

#include <QProcess>
#include <QTest>

#include <clocale>
#include <string>

using namespace vortana;
using namespace vortana::test;

// The program runs in the user's locale, which the application takes from the
// environment; reading the record must not depend on it.
class TestRecordLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decimalPointWhateverTheLocale();
};

// An Italian desktop writes 1,5 for one and a half: the record file's 1.5e1
// is still 15, not 1, whatever locale the program runs in.
void TestRecordLocale::decimalPointWhateverTheLocale()
{
    QTemporaryDir locales;
    const QString italian = QStringLiteral("it_IT.UTF-8");
    if (QProcess::execute(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("it_IT"),
                                                        QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                        locales.filePath(italian)}) != 0)
        QSKIP("no Italian locale can be made here (the locales package is missing)");
    qputenv("LOCPATH", QFile::encodeName(locales.path()));
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    QVERIFY(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"));

    GameFixture game;
    QVERIFY(QDir().mkpath(game.recordDir()));
    QVERIFY(writeBytes(game.scorePath(), "1.5e1\r\n"));
    game.start();
    game.c().lblScore->setCaption(QStringLiteral("15"));
    game.run([&game] { game.quiz().cmdExit1_Click(); });
    std::setlocale(LC_NUMERIC, before.c_str());
    qunsetenv("LOCPATH");
    QCOMPARE(game.boxes.shown, QStringList({Goodbye}));
    QCOMPARE(entryState(game.scorePath()), QByteArray("file:1.5e1\r\n"));
}

QTEST_MAIN(TestRecordLocale)
#include "tst_recordlocale.moc"
