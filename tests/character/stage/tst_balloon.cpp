#include "character/stage/SpeechBalloon.h"

#include <QTest>

using namespace vortana;

class TestBalloon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

QTEST_MAIN(TestBalloon)
#include "tst_balloon.moc"
