#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/Errors.h"
#include "core/QorvelGlobal.h"

#include <QtTest>

#include <climits>
#include <limits>

class TestRadixRoutines : public QObject
{
    Q_OBJECT

    static QByteArray bytes(const std::string& text) { return QByteArray::fromStdString(text); }

private slots:
    void groupDigits_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<int>("groupSize");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* name, const char* text, char separator, int n, const char* out) {
            QTest::newRow(name) << QByteArray(text) << separator << n << QByteArray(out);
        };
        row("thousands, seven digits", "1234567", ',', 3, "1,234,567");
        row("thousands, six digits", "123456", ',', 3, "123,456");
        row("hex pairs", "FFFFFFFA", ' ', 2, "FF FF FF FA");
        row("odd hex length", "ABC", ' ', 2, "A BC");
        row("binary bytes", "0000000000001111", ' ', 8, "00000000 00001111");
        row("binary nibbles", "00010000", ' ', 4, "0001 0000");
        row("empty", "", ',', 3, "");
        row("exactly one group", "123", ',', 3, "123");
        row("groups of one", "101", ' ', 1, "1 0 1");
        // Every character counts, separators and signs included.
        row("existing separator counts", "1 1", ' ', 2, "1  1");
        row("sign counts", "-123", ',', 3, "-,123");
        row("group size zero", "1234", ',', 0, "1234");
        row("negative group size", "1234", ',', -2, "1234");
    }

    void groupDigits()
    {
        QFETCH(QByteArray, text);
        QFETCH(char, separator);
        QFETCH(int, groupSize);
        QFETCH(QByteArray, expected);
        QCOMPARE(bytes(GroupDigits(text.toStdString(), separator, groupSize)), expected);
        if (separator == ' ')
            QCOMPARE(bytes(GroupBy(text.toStdString(), groupSize)), expected);
        // The calculator's own groupings are the blank-separated pairs and bytes.
        if (separator == ' ' && groupSize == 2)
            QCOMPARE(bytes(GroupHex(text.toStdString())), expected);
        if (separator == ' ' && groupSize == 8)
            QCOMPARE(bytes(GroupBin(text.toStdString())), expected);
    }

    void groupThousands_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* text, const char* out) {
            QTest::newRow(text) << QByteArray(text) << QByteArray(out);
        };
        row("0", "0");
        row("65535", "65,535");
        row("2147483647", "2,147,483,647");
        row("-1", "-1");
        // The sign stands outside the groups: never "-,123,456".
        row("-123456", "-123,456");
        row("-1234567", "-1,234,567");
        row("-2147483648", "-2,147,483,648");
        row("-", "-");
    }

    void groupThousands()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        const std::string grouped = GroupThousands(text.toStdString());
        QCOMPARE(bytes(grouped), expected);
        QCOMPARE(bytes(StripSeparators(grouped)), text);
    }

    void textToInt_data()
    {
        QTest::addColumn<bool>("binary");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        auto bin = [](const char* name, const QByteArray& text, int value) {
            QTest::newRow(name) << true << text << value;
        };
        auto hex = [](const char* name, const QByteArray& text, int value) {
            QTest::newRow(name) << false << text << value;
        };
        bin("bin empty", "", 0);
        bin("bin 101", "101", 5);
        bin("bin blank takes a place", "1 1", 5);
        bin("bin other digit takes a place", "121", 5);
        bin("bin 32 ones", QByteArray(32, '1'), -1);
        bin("bin bit 31 only", "1" + QByteArray(31, '0'), INT_MIN);
        bin("bin beyond 32 digits ignored", "111" + QByteArray(30, '0') + "1", int(0x80000001u));
        hex("hex empty", "", 0);
        hex("hex lower case", "ff", 255);
        hex("hex upper case", "FF", 255);
        hex("hex every digit", "89abCDEF", int(0x89ABCDEFu));
        hex("hex FFFFFFFF", "FFFFFFFF", -1);
        hex("hex largest", "7FFFFFFF", INT_MAX);
        hex("hex blank takes a place", "A BC", 0xA0BC);
        hex("hex other letter takes a place", "G1", 1);
        hex("hex beyond 8 digits ignored", "1FFFFFFFF", -1);
    }

    void textToInt()
    {
        QFETCH(bool, binary);
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        QCOMPARE(binary ? BinToInt(text.toStdString()) : HexToInt(text.toStdString()), expected);
    }

    void intToText_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QByteArray>("binary");
        QTest::addColumn<QByteArray>("hexadecimal");
        auto row = [](const char* name, int value, int digits, const QByteArray& bin,
                      const char* hex) {
            QTest::newRow(name) << value << digits << bin << QByteArray(hex);
        };
        row("-6 in 8", -6, 8, "11111010", "FFFFFFFA");
        row("255 in 4", 255, 4, "1111", "FF");
        row("255 in 16", 255, 16, "0000000011111111", "00FF");
        row("0 in 16", 0, 16, QByteArray(16, '0'), "0000");
        row("0 in 0", 0, 0, "", "0");
        row("10 in 4", 10, 4, "1010", "A");
        row("negative count", 5, -3, "", "5");
        row("-1 in 32", -1, 32, QByteArray(32, '1'), "FFFFFFFF");
        row("smallest in 32", INT_MIN, 32, "1" + QByteArray(31, '0'), "80000000");
    }

    void intToText()
    {
        QFETCH(int, value);
        QFETCH(int, digits);
        QFETCH(QByteArray, binary);
        QFETCH(QByteArray, hexadecimal);
        QCOMPARE(bytes(IntToBin(value, digits)), binary);
        // The hexadecimal text of the same width, at least a digit per four bits.
        QCOMPARE(bytes(conv::intToHex(value, digits / 4)), hexadecimal);
        // Whatever the width, the full texts read back as the value.
        QCOMPARE(BinToInt(StripSeparators(GroupBin(IntToBin(value, 32)))), value);
        QCOMPARE(HexToInt(StripSeparators(GroupHex(conv::intToHex(value, 2)))), value);
        QCOMPARE(conv::strToInt(StripSeparators(GroupThousands(conv::intToStr(value)))), value);
    }

    // The command line's widths go up to 64 bits; the 32-bit routines keep
    // the low half of the same digits.
    void sixtyFourBits_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QByteArray>("hexadecimal");
        const auto row = [](const char* name, qint64 value, const char* hex) {
            QTest::newRow(name) << value << QByteArray(hex);
        };
        row("-1", -1, "FFFFFFFFFFFFFFFF");
        row("smallest", std::numeric_limits<qint64>::min(), "8000000000000000");
        row("every digit", 0x0123456789ABCDEF, "0123456789ABCDEF");
        row("bit 32 only", qint64(1) << 32, "0000000100000000");
        row("bit 31 only", qint64(1) << 31, "0000000080000000");
    }

    void sixtyFourBits()
    {
        QFETCH(qint64, value);
        QFETCH(QByteArray, hexadecimal);
        const auto bits = static_cast<quint64>(value);
        QByteArray binary;
        for (int bit = 63; bit >= 0; --bit)
            binary += (bits >> bit & 1) ? '1' : '0';

        QCOMPARE(bytes(Int64ToBin(value, 64)), binary);
        QCOMPARE(bytes(conv::int64ToHex(value, 16)), hexadecimal);
        QCOMPARE(BinToBits(binary.toStdString()), bits);
        QCOMPARE(HexToBits(hexadecimal.toStdString()), bits);
        // Digits beyond the 64 bits are ignored, as beyond 32 by the 32-bit routines.
        QCOMPARE(BinToBits("1" + binary.toStdString()), bits);
        QCOMPARE(HexToBits("F" + hexadecimal.toStdString()), bits);
        QCOMPARE(BinToInt(binary.toStdString()), static_cast<int32_t>(static_cast<uint32_t>(bits)));
        QCOMPARE(HexToInt(hexadecimal.toStdString()),
                 static_cast<int32_t>(static_cast<uint32_t>(bits)));
        // The low bits alone, as a narrower width shows them.
        QCOMPARE(bytes(Int64ToBin(value, 40)), binary.right(40));
    }

    void stripSeparators()
    {
        QCOMPARE(bytes(StripSeparators("1,234")), QByteArray("1234"));
        QCOMPARE(bytes(StripSeparators("FF FF")), QByteArray("FFFF"));
        QCOMPARE(bytes(StripSeparators(" 1.2,3 4 ")), QByteArray("1234"));
        QCOMPARE(bytes(StripSeparators("-12aF")), QByteArray("-12aF"));
    }

    void characterClasses_data()
    {
        QTest::addColumn<char>("character");
        QTest::addColumn<QByteArray>("classes"); // b(in) d(ec) h(ex) c(ontrol)
        for (auto [c, classes] : std::initializer_list<std::pair<char, const char*>>{
                 {'0', "bdh"}, {'1', "bdh"}, {'2', "dh"},  {'9', "dh"}, {'/', ""},   {':', ""},
                 {'a', "h"},   {'f', "h"},   {'g', ""},    {'A', "h"},  {'F', "h"},  {'G', ""},
                 {'@', ""},    {'`', ""},    {'\0', "c"},  {'\b', "c"}, {'\n', "c"}, {'\x1f', "c"},
                 {' ', ""},    {'\x7f', ""}, {'\x80', ""}, {'\xff', ""}})
            QTest::newRow(qPrintable(QString::number(static_cast<unsigned char>(c))))
                << c << QByteArray(classes);
    }

    void characterClasses()
    {
        QFETCH(char, character);
        QFETCH(QByteArray, classes);
        QCOMPARE(IsBinDigit(character), classes.contains('b'));
        QCOMPARE(IsDecDigit(character), classes.contains('d'));
        QCOMPARE(IsHexDigit(character), classes.contains('h'));
        QCOMPARE(IsControlChar(character), classes.contains('c'));
    }

    void strToInt_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expected");
        for (auto [text, value] :
             std::initializer_list<std::pair<const char*, int>>{{"0", 0},
                                                                {"007", 7},
                                                                {"-1", -1},
                                                                {"2147483647", INT_MAX},
                                                                {"-2147483648", INT_MIN}})
            QTest::newRow(text) << QByteArray(text) << true << value;
        for (const char* text : {"", "-", "2147483648", "-2147483649", "9999999999999", "12a", "FF",
                                 "1 2", "1,234", "--1"})
            QTest::newRow(text) << QByteArray(text) << false << 0;
    }

    void strToInt()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(int, expected);
        try {
            QCOMPARE(conv::strToInt(text.toStdString()), expected);
            QVERIFY2(valid, "the text was read as an integer");
        } catch (const EZentrixError& error) {
            QVERIFY(!valid);
            QCOMPARE(QByteArray(error.what()), "'" + text + "' is not a valid integer value");
        }
    }
};

QTEST_APPLESS_MAIN(TestRadixRoutines)
#include "tst_radixroutines.moc"
