#include "bits/FloatBits.h"
#include "bits/WordReading.h"
#include "bits/WordViews.h"
#include "core/Errors.h"

#include <QtTest>

// The float view of a word's bits against IEEE 754-2008: the edge values of
// each binary format with their fields and class, the quiet bit of a NaN
// (6.2.1) and its payload, and decimal text rounded to nearest even into
// each format.
class TestIeee754 : public QObject
{
    Q_OBJECT

private slots:
    void edgeValues_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("klass");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("exponent"); // unbiased; empty: none
        QTest::addColumn<QString>("nan");      // "quiet 0x..." or "signalling 0x..."
        const auto row = [](int width, const char* name, const char* bits, const char* klass,
                            const char* value, const char* exponent = "", const char* nan = "") {
            QTest::addRow("binary%d %s", width, name)
                << width << bits << klass << value << exponent << nan;
        };
        // binary16: bias 15, emin -14, 10 fraction bits.
        row(16, "+0", "0000", "zero", "0.0");
        row(16, "-0", "8000", "zero", "-0.0");
        row(16, "smallest subnormal", "0001", "subnormal", "6e-08", "-14");
        row(16, "largest subnormal", "03FF", "subnormal", "6.1e-05", "-14");
        row(16, "smallest normal", "0400", "normal", "6.104e-05", "-14");
        row(16, "one", "3C00", "normal", "1.0", "0");
        row(16, "largest finite", "7BFF", "normal", "65504.0", "15");
        row(16, "-largest finite", "FBFF", "normal", "-65504.0", "15");
        row(16, "+infinity", "7C00", "infinity", "inf");
        row(16, "-infinity", "FC00", "infinity", "-inf");
        row(16, "quiet NaN", "7E00", "NaN", "nan", "", "quiet 0x000");
        row(16, "quiet NaN with payload", "FE2A", "NaN", "nan", "", "quiet 0x02A");
        row(16, "signalling NaN with payload", "7C01", "NaN", "nan", "", "signalling 0x001");
        // binary32: bias 127, emin -126, 23 fraction bits.
        row(32, "+0", "00000000", "zero", "0.0");
        row(32, "-0", "80000000", "zero", "-0.0");
        row(32, "smallest subnormal", "00000001", "subnormal", "1e-45", "-126");
        row(32, "smallest normal", "00800000", "normal", "1.1754944e-38", "-126");
        row(32, "a tenth", "3DCCCCCD", "normal", "0.1", "-4");
        row(32, "largest finite", "7F7FFFFF", "normal", "3.4028235e+38", "127");
        row(32, "+infinity", "7F800000", "infinity", "inf");
        row(32, "-infinity", "FF800000", "infinity", "-inf");
        row(32, "quiet NaN", "7FC00000", "NaN", "nan", "", "quiet 0x000000");
        row(32, "signalling NaN with payload", "7F800001", "NaN", "nan", "", "signalling 0x000001");
        row(32, "quiet NaN, all payload", "FFFFFFFF", "NaN", "nan", "", "quiet 0x3FFFFF");
        // binary64: bias 1023, emin -1022, 52 fraction bits.
        row(64, "+0", "0000000000000000", "zero", "0.0");
        row(64, "-0", "8000000000000000", "zero", "-0.0");
        row(64, "smallest subnormal", "0000000000000001", "subnormal", "5e-324", "-1022");
        row(64, "smallest normal", "0010000000000000", "normal", "2.2250738585072014e-308",
            "-1022");
        row(64, "largest finite", "7FEFFFFFFFFFFFFF", "normal", "1.7976931348623157e+308", "1023");
        row(64, "+infinity", "7FF0000000000000", "infinity", "inf");
        row(64, "-infinity", "FFF0000000000000", "infinity", "-inf");
        row(64, "quiet NaN", "7FF8000000000000", "NaN", "nan", "", "quiet 0x0000000000000");
        row(64, "signalling NaN with payload", "7FF0000000000ABC", "NaN", "nan", "",
            "signalling 0x0000000000ABC");
    }

    void edgeValues()
    {
        QFETCH(int, width);
        QFETCH(QString, bits);
        QFETCH(QString, klass);
        QFETCH(QString, value);
        QFETCH(QString, exponent);
        QFETCH(QString, nan);
        WordSpec spec;
        spec.width = unsigned(width);
        const BitWord word = readWord("0x" + bits.toStdString(), spec).word;
        const ViewFields views = wordViews(word);
        const auto view = [&views](const char* key) {
            return QString::fromStdString(fieldText(views, key));
        };
        QCOMPARE(view("float_class"), klass);
        QCOMPARE(view("float_value"), value);
        QCOMPARE(view("float_exponent"), exponent);
        QCOMPARE(view("float_sign"), QString(bits.front() >= '8' ? "1" : "0"));
        QCOMPARE((view("nan_kind") + ' ' + view("nan_payload")).trimmed(), nan);
        // Every finite value reads back from its text to the same bits.
        if (klass != "NaN") {
            spec.floatFormat = floatFormatOfWidth(spec.width);
            QCOMPARE(readWord(value.toStdString(), spec).word.bits, word.bits);
        }
    }

    // Decimal text into each format, rounded once to the nearest value (ties
    // to even), refused beyond the largest finite one.
    void encoding_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bits"); // or the start of the refusal
        const auto row = [](int width, const char* name, const char* text, const char* bits) {
            QTest::addRow("binary%d %s", width, name) << width << text << bits;
        };
        row(16, "one and a half", "1.5", "3E00");
        row(16, "negative zero", "-0", "8000");
        row(16, "nan is the quiet one", "nan", "7E00");
        row(16, "negative infinity", "-Infinity", "FC00");
        // 65504 + 16 is halfway to 2^16, which ties away from the largest.
        row(16, "just below halfway to infinity", "65519.99", "7BFF");
        row(16, "halfway to infinity", "65520",
            "'65520' is beyond the largest finite binary16 "
            "number; binary32 holds it");
        // Half the smallest subnormal (2^-25) ties to even, zero; a hair
        // more rounds up.
        row(16, "half the smallest subnormal", "2.98023223876953125e-8", "0000");
        row(16, "above half the smallest subnormal", "2.98023223876953126e-8", "0001");
        // 1 + 2^-11 is halfway between 1 and the next binary16; the digits
        // after it put the value above, so it rounds up. Through the
        // nearest double first, it would be that tie and round down.
        row(16, "no double rounding", "1.00048828125000000001", "3C01");
        row(16, "an exact tie to even", "1.00048828125", "3C00");
        row(32, "a tenth", "0.1", "3DCCCCCD");
        row(32, "2^24 + 1 ties to even", "16777217", "4B800000");
        row(32, "2^24 + 3 ties to even", "16777219", "4B800002");
        row(32, "beyond the largest", "3.5e38", "'3.5e38' is beyond the largest finite binary32");
        row(64, "a tenth", "0.1", "3FB999999999999A");
        row(64, "smallest subnormal", "4.9406564584124654e-324", "0000000000000001");
        row(64, "beyond the largest", "1e309",
            "'1e309' is beyond the largest finite binary64 "
            "number");
        row(64, "no number", "1.5.2", "'1.5.2' is not an IPv4 address");
    }

    void encoding()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(QString, bits);
        WordSpec spec;
        spec.floatFormat = floatFormatOfWidth(unsigned(width));
        try {
            const BitWord word = readWord(text.toStdString(), spec).word;
            QCOMPARE(word.width, unsigned(width));
            QCOMPARE(QString::fromStdString(hexText(word.bits, word.width)), bits);
        } catch (const EZentrixError& error) {
            QVERIFY2(QString(error.what()).startsWith(bits), error.what());
        }
    }
};

QTEST_APPLESS_MAIN(TestIeee754)
#include "tst_ieee754.moc"
