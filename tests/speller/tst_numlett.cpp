#include "speller/Currency.h"
#include "speller/Numlett.h"

#include <QTest>

using vortana::Currency;

class TestNumlett : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void spells_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("words");

        const QString largest = QStringLiteral("novecentonovantanovemiliardinovecentonovantanovemilioni"
                                               "novecentonovantanovemilanovecentonovantanove");
        const struct { const char *number; const char *words; } rows[] = {
            {"0", ""}, {"1", "uno"}, {"6", "sei"}, {"10", "dieci"}, {"11", "undici"}, {"12", "dodici"},
            {"17", "diciassettte"}, {"18", "diciotto"}, {"19", "diciannove"}, {"20", "venti"}, {"21", "ventuno"},
            {"28", "ventotto"}, {"31", "trentuno"}, {"42", "quarantadue"}, {"54", "cinquantaquattro"},
            {"60", "sessanta"}, {"77", "settantasette"}, {"81", "ottantuno"}, {"98", "novantotto"}, {"100", "cento"},
            {"108", "centootto"}, {"118", "centodiciotto"}, {"200", "duecento"}, {"999", "novecentonovantanove"},
            {"1000", "mille"}, {"1001", "milleuno"}, {"2000", "duemila"}, {"21000", "ventunomila"},
            {"101000", "centounomila"}, {"1000000", "unmilione"}, {"1001000", "unmilionemille"},
            {"2000000", "duemilioni"}, {"21021021", "ventunomilioniventunomilaventuno"}, {"1000000000", "unmiliardo"},
            {"1001001001", "unmiliardounmilionemilleuno"}, {"3000000000", "tremiliardi"},
            {"21000000000", "ventunomiliardi"},
            // fractions are dropped, never rounded; nothing below 1 or past the supported range
            {"42.5", "quarantadue"}, {"0.9999", ""}, {"-1", ""}, {"-922337203685477.5808", ""}, {"1000000000000", ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row.number) << QString::fromLatin1(row.number) << QString::fromUtf8(row.words);
        QTest::newRow("999999999999") << QStringLiteral("999999999999") << largest;
        QTest::newRow("999999999999.9999") << QStringLiteral("999999999999.9999") << largest;
    }

    void spells()
    {
        QFETCH(QString, number);
        QFETCH(QString, words);
        QCOMPARE(vortana::numlett(Currency::fromText(number)), words);
    }
};

QTEST_GUILESS_MAIN(TestNumlett)
#include "tst_numlett.moc"
