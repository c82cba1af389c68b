#include "runtime/RuntimeError.h"
#include "speller/Currency.h"
#include "speller/Numlett.h"

#include <QTest>

#include <limits>

using vortana::Currency;
using vortana::ErrorCode;
using vortana::RuntimeError;

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

    void currencyFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<int>("error");

        constexpr int none = 0;
        constexpr int mismatch = int(ErrorCode::TypeMismatch);
        constexpr int overflow = int(ErrorCode::Overflow);
        constexpr qint64 most = std::numeric_limits<qint64>::max();
        constexpr qint64 least = std::numeric_limits<qint64>::min();
        const struct { const char *name; QString text; qint64 units; int error; } rows[] = {
            {"whole", "42", 420000, none}, {"negative", "-42", -420000, none}, {"plus", "+7", 70000, none},
            {"blanks around", " 12 ", 120000, none}, {"fraction", "42.5", 425000, none},
            {"four places", "0.0001", 1, none}, {"largest", "922337203685477.5807", most, none},
            {"smallest", "-922337203685477.5808", least, none},
            {"empty", "", 0, mismatch}, {"trailing letter", "12a", 0, mismatch}, {"bare point", "1.", 0, mismatch},
            {"no whole digits", ".5", 0, mismatch}, {"five places", "1.23456", 0, mismatch},
            {"other digits", QString::fromUtf8("\u0661\u0662"), 0, mismatch},
            {"just above", "922337203685477.5808", 0, overflow}, {"just below", "-922337203685477.5809", 0, overflow},
            {"twenty digits", "99999999999999999999", 0, overflow},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name) << row.text << row.units << row.error;
    }

    void currencyFromText()
    {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        QFETCH(int, error);
        try {
            const Currency value = Currency::fromText(text);
            QCOMPARE(0, error);
            QCOMPARE(value.tenThousandths(), units);
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), error);
            QVERIFY2(e.detail().contains(text.trimmed()), qPrintable(e.detail()));
        }
    }
};

QTEST_GUILESS_MAIN(TestNumlett)
#include "tst_numlett.moc"
