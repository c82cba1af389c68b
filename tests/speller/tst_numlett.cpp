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
    void spells_data();
    void spells();
    void currencyFromText_data();
    void currencyFromText();
};

void TestNumlett::spells_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("words");

    const QString largest = QStringLiteral("novecentonovantanovemiliardinovecentonovantanovemilioni"
                                           "novecentonovantanovemilanovecentonovantanove");
    const struct { const char *number; const char *words; } rows[] = {
        {"0", ""}, {"1", "uno"}, {"6", "sei"}, {"10", "dieci"}, {"11", "undici"}, {"12", "dodici"},
        {"17", "diciassettte"}, {"18", "diciotto"}, {"19", "diciannove"}, {"20", "venti"},
        {"21", "ventuno"}, {"28", "ventotto"}, {"31", "trentuno"}, {"38", "trentotto"},
        {"42", "quarantadue"}, {"48", "quarantotto"}, {"54", "cinquantaquattro"},
        {"60", "sessanta"}, {"70", "settanta"}, {"77", "settantasette"}, {"81", "ottantuno"},
        {"91", "novantuno"}, {"98", "novantotto"}, {"100", "cento"}, {"101", "centouno"},
        {"108", "centootto"}, {"110", "centodieci"}, {"118", "centodiciotto"},
        {"121", "centoventuno"}, {"180", "centoottanta"}, {"200", "duecento"},
        {"801", "ottocentouno"}, {"999", "novecentonovantanove"}, {"1000", "mille"},
        {"1001", "milleuno"}, {"2000", "duemila"}, {"2001", "duemilauno"},
        {"21000", "ventunomila"}, {"81000", "ottantunomila"}, {"100000", "centomila"},
        {"101000", "centounomila"}, {"800008", "ottocentomilaotto"}, {"1000000", "unmilione"},
        {"1000001", "unmilioneuno"}, {"1000021", "unmilioneventuno"},
        {"1001000", "unmilionemille"}, {"1100000", "unmilionecentomila"},
        {"2000000", "duemilioni"}, {"21021021", "ventunomilioniventunomilaventuno"},
        {"81000000", "ottantunomilioni"}, {"1000000000", "unmiliardo"},
        {"1000000001", "unmiliardouno"}, {"1001001001", "unmiliardounmilionemilleuno"},
        {"2000000021", "duemiliardiventuno"}, {"3000000000", "tremiliardi"},
        {"21000000000", "ventunomiliardi"},
        // fractions are dropped, never rounded
        {"42.5", "quarantadue"}, {"6.0001", "sei"}, {"0.9999", ""}, {"1000000.0000", "unmilione"},
        // below 1
        {"-0.5", ""}, {"-1", ""}, {"-42", ""}, {"-1000000", ""}, {"-922337203685477.5808", ""},
        // past the supported range
        {"1000000000000", ""}, {"2800000000000", ""}, {"922337203685477.5807", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row.number) << QString::fromLatin1(row.number) << QString::fromUtf8(row.words);
    QTest::newRow("999999999999") << QStringLiteral("999999999999") << largest;
    QTest::newRow("999999999999.9999") << QStringLiteral("999999999999.9999") << largest;
}

void TestNumlett::spells()
{
    QFETCH(QString, number);
    QFETCH(QString, words);
    QCOMPARE(vortana::numlett(Currency::fromText(number)), words);
}

void TestNumlett::currencyFromText_data()
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
        {"zero", "0", 0, none}, {"minus zero", "-0", 0, none}, {"whole", "42", 420000, none},
        {"negative", "-42", -420000, none}, {"plus", "+7", 70000, none},
        {"leading zeros", "007", 70000, none}, {"blanks around", " 12 ", 120000, none},
        {"fraction", "42.5", 425000, none}, {"four places", "0.0001", 1, none},
        {"negative fraction", "-0.0001", -1, none}, {"largest", "922337203685477.5807", most, none},
        {"smallest", "-922337203685477.5808", least, none},
        {"empty", "", 0, mismatch}, {"blank", "  ", 0, mismatch}, {"word", "sei", 0, mismatch},
        {"trailing letter", "12a", 0, mismatch}, {"comma", "1,5", 0, mismatch},
        {"bare point", "1.", 0, mismatch}, {"no whole digits", ".5", 0, mismatch},
        {"five places", "1.23456", 0, mismatch}, {"two signs", "--1", 0, mismatch},
        {"sign only", "+", 0, mismatch}, {"exponent", "1e3", 0, mismatch},
        {"inner blank", "1 2", 0, mismatch}, {"hexadecimal", "0x10", 0, mismatch},
        {"other digits", QString::fromUtf8("\u0661\u0662"), 0, mismatch},
        {"just above", "922337203685477.5808", 0, overflow},
        {"just below", "-922337203685477.5809", 0, overflow},
        {"twenty digits", "99999999999999999999", 0, overflow},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << row.text << row.units << row.error;
}

void TestNumlett::currencyFromText()
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

QTEST_GUILESS_MAIN(TestNumlett)
#include "tst_numlett.moc"
