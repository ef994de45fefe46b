#include "bits/WordOperations.h"
#include "bits/WordReading.h"
#include "bits/WordViews.h"
#include "core/Errors.h"

#include <QtTest>

// Words as people type them, the operations at their edges, and the views
// and copies of the bits. Results are worked by hand in the comments.
class TestBitWord : public QObject
{
    Q_OBJECT

    // "W:HEX" or "W:HEX:c" (carry set), signed when W is written "sW".
    static BitWord word(const QString& text)
    {
        BitWord word;
        const QStringList parts = text.split(':');
        word.isSigned = parts[0].startsWith('s');
        word.width = parts[0].mid(word.isSigned ? 1 : 0).toUInt();
        WordSpec spec;
        spec.width = word.width;
        word.bits = readWord("0x" + parts[1].toStdString(), spec).word.bits;
        word.carry = parts.size() > 2;
        return word;
    }
    static QString text(const BitWord& word)
    {
        return QStringLiteral("%1%2:%3%4")
            .arg(word.isSigned ? "s" : "")
            .arg(word.width)
            .arg(QString::fromStdString(hexText(word.bits, word.width)))
            .arg(word.carry ? ":c" : "");
    }
    static QString outcome(const std::function<BitWord()>& make)
    {
        try {
            return text(make());
        } catch (const EZentrixError& error) {
            return error.what();
        }
    }

private slots:
    // The text, the width asked for (0: the default rule) with an "s" for
    // signed, and the word read ("W:HEX" and the form) or the refusal.
    void reading_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* input, const char* spec, const char* expected) {
            QTest::addRow("%s @%s", input, spec) << input << spec << expected;
        };
        row("255", "0", "32:000000FF decimal");
        row("4294967295", "0", "32:FFFFFFFF decimal");
        row("4294967296", "0", "64:0000000100000000 decimal");
        row("18446744073709551616", "0", "128:00000000000000010000000000000000 decimal");
        // 2^128 - 1 is the widest; 2^128 is refused.
        row("340282366920938463463374607431768211455", "0",
            "128:FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF decimal");
        row("340282366920938463463374607431768211456", "0",
            "'340282366920938463463374607431768211456' needs more than 128 bits: more than the "
            "widest word, 128 bits");
        row("-1", "s0", "s32:FFFFFFFF decimal");
        // As signed, 2^31 needs a sign bit more than 32 bits give; 0x80000000 is bits.
        row("2147483648", "s0", "s64:0000000080000000 decimal");
        row("0x80000000", "s0", "s32:80000000 hexadecimal");
        row("-2147483648", "s0", "s32:80000000 decimal");
        row("-2147483649", "s0", "s64:FFFFFFFF7FFFFFFF decimal");
        row("-128", "s8", "s8:80 decimal");
        row("-129", "s8", "'-129' needs a 16-bit word as a signed number: 8 bits are too few");
        row("200", "s8", "'200' needs a 16-bit word as a signed number: 8 bits are too few");
        row("0xFF", "s8", "s8:FF hexadecimal");
        row("-0x80", "s8", "s8:80 hexadecimal");
        row("256", "8", "'256' needs a 16-bit word: 8 bits are too few");
        row("-5", "8", "'-5' is negative: only a signed word holds it (--signed)");
        row("-0", "8", "8:00 decimal");
        row("0x1_0000_0000_0000_0000_0000_0000_0000_0000", "0",
            "'0x1_0000_0000_0000_0000_0000_0000_0000_0000' needs 129 bits: more than the widest "
            "word, 128 bits");
        row("0xDEAD_beef", "0", "32:DEADBEEF hexadecimal");
        row("0o777", "16", "16:01FF octal");
        row("0O17", "8", "8:0F octal");
        row("0b1010'0101", "8", "8:A5 binary");
        row("1'000 000", "0", "32:000F4240 decimal");
        row("007", "8", "8:07 decimal");
        row("0b102", "8", "'0b102': '2' is not a binary digit");
        row("0x", "8", "'0x': expected hexadecimal digits");
        row("1_", "8", "'1_': expected decimal digits, with '_', ''' or ' ' only between them");
        row("'A'", "0", "32:00000041 characters");
        row("'AB'", "16", "16:4142 characters");
        row("'ABCDE'", "0", "64:0000004142434445 characters");
        row("'ABC'", "16", "''ABC'' needs a 32-bit word: 16 bits are too few");
        row("'é'", "16", "16:C3A9 characters");
        row("'\\x41\\n'", "16", "16:410A characters");
        row("'\\''", "8", "8:27 characters");
        row("''", "8", "'''': no character between the quotes");
        row("'a'b'", "16", "''a'b'': a ' among the characters is written \\'");
        row("'\\q'", "8",
            "''\\q'': '\\q' is no escape (\\n \\t \\r \\0 \\a \\b \\f \\v \\\\ \\' \\\" \\xHH)");
        row("192.168.1.1", "0", "32:C0A80101 ipv4");
        row("192.168.1.1", "16", "'192.168.1.1' needs a 32-bit word: 16 bits are too few");
        row("192.168.1.256", "0",
            "'192.168.1.256' is not an IPv4 address: four numbers 0 to 255 joined by '.'");
        row("::1", "0", "128:00000000000000000000000000000001 ipv6");
        row("2001:db8::", "64", "'2001:db8::' needs a 128-bit word: 64 bits are too few");
        row("1.5", "0", "64:3FF8000000000000 float");
        row("1.5", "16", "16:3E00 float");
        row("-2.5e0", "32", "32:C0200000 float");
        row("1.5", "8", "'1.5' is a float: it needs a word of 16, 32 or 64 bits, not 8");
        row("  42  ", "8", "8:2A decimal");
        row("", "8", "No value: type a number, 'characters', an address or a float");
        row("ff", "8",
            "'ff' is not a value: type a decimal, 0x hexadecimal, 0o octal or 0b "
            "binary number, 'characters', an IPv4 or IPv6 address, or a float such as "
            "1.5");
    }

    void reading()
    {
        QFETCH(QString, input);
        QFETCH(QString, spec);
        QFETCH(QString, expected);
        static const char* const forms[] = {"decimal",    "hexadecimal", "octal", "binary",
                                            "characters", "ipv4",        "ipv6",  "float"};
        WordSpec asked;
        asked.isSigned = spec.startsWith('s');
        asked.width = spec.mid(asked.isSigned ? 1 : 0).toUInt();
        try {
            const ReadWord read = readWord(input.toStdString(), asked);
            QCOMPARE(text(read.word) + ' ' + forms[int(read.form)], expected);
            // What the entry shows after an operation reads back as the same word.
            const std::string shown = entryText(read.word, read.form);
            asked.width = read.word.width;
            QCOMPARE(text(readWord(shown, asked).word), text(read.word));
        } catch (const EZentrixError& error) {
            QCOMPARE(QString(error.what()), expected);
        }
    }

    // A word ("W:HEX[:c]", "sW" signed), operations as spelled, the word after.
    void operations_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("operations");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* start, QStringList operations,
                            const char* expected) {
            QTest::newRow(name) << start << operations << expected;
        };
        row("not", "8:0F", {"not"}, "8:F0");
        row("and or xor", "8:0F", {"and:0x3C", "or:0x80", "xor:0xFF"}, "8:73");
        row("nand nor", "8:0F", {"nand:0x3C", "nor:0x01"}, "8:0C");
        row("a signed operand", "s8:0F", {"and:-2"}, "s8:0E");
        row("an operand too wide", "8:0F", {"and:0x100"},
            "'0x100' needs a 16-bit word: 8 bits "
            "are too few");
        // Shifts: the carry is the last bit out; a count of 0 changes nothing.
        row("shl 1", "8:81", {"shl:1"}, "8:02:c");
        row("shl 0 keeps the carry", "8:81:c", {"shl:0"}, "8:81:c");
        row("shl by the width", "8:01", {"shl:8"}, "8:00:c");
        row("shl past the width", "8:FF", {"shl:9"}, "8:00");
        row("shl 127 of 128 bits", "128:3", {"shl:127"}, "128:80000000000000000000000000000000:c");
        row("shr is logical when signed", "s8:80", {"shr:7"}, "s8:01");
        row("shr by the width", "8:80", {"shr:8"}, "8:00:c");
        row("sar copies the top bit", "8:80", {"sar:3"}, "8:F0");
        row("sar past the width", "8:80", {"sar:200"}, "8:FF:c");
        row("sar of a positive", "8:7F", {"sar:8"}, "8:00");
        // Rotates: the carry is the bit that came round.
        row("rol", "8:81", {"rol:1"}, "8:03:c");
        row("ror", "8:81", {"ror:1"}, "8:C0:c");
        row("rol by the width", "16:8001", {"rol:16"}, "16:8001:c");
        row("ror of 128 bits", "128:1", {"ror:1"}, "128:80000000000000000000000000000000:c");
        // Through the carry: w + 1 bits, so w + 1 places come round to the start.
        row("rcl", "8:81", {"rcl:1"}, "8:02:c");
        row("rcl brings the carry in", "8:01:c", {"rcl:1"}, "8:03");
        row("rcl by w+1", "8:81:c", {"rcl:9"}, "8:81:c");
        row("rcr", "8:81:c", {"rcr:1"}, "8:C0:c");
        row("rcr by w", "8:01", {"rcr:8"}, "8:02");
        row("rcr of 128 bits", "128:1", {"rcr:1", "rcr:1"}, "128:80000000000000000000000000000000");
        row("swap", "32:12345678", {"swap"}, "32:78563412");
        row("swap of a byte", "8:12", {"swap"}, "8:12");
        row("reverse", "16:0001", {"reverse"}, "16:8000");
        row("reverse 128 bits", "128:1", {"reverse"}, "128:80000000000000000000000000000000");
        row("set a bit", "8:00", {"set:7"}, "8:80");
        row("set, clear and flip ranges", "16:0000", {"set:4-11", "clear:6-5", "flip:0-7"},
            "16:0F6F");
        row("a bit beyond the width", "8:00", {"set:8"},
            "Bit 8 is beyond a 8-bit word (bits 0 to 7)");
        row("extract a field", "32:12345678", {"field:8-15"}, "32:00000056");
        row("extract the top bits", "128:F0000000000000000000000000000000", {"field:124-127"},
            "128:0000000000000000000000000000000F");
        row("widen with zeros", "8:80", {"width:32"}, "32:00000080");
        row("widen with the sign", "s8:80", {"width:32"}, "s32:FFFFFF80");
        row("narrow what fits", "s32:FFFFFF80", {"width:8"}, "s8:80");
        row("narrowing that would cut", "32:00001234", {"width:8"},
            "0x00001234 needs a 16-bit word: 8 bits would cut it");
        row("a signed narrowing that would cut", "s32:00000080", {"width:8"},
            "0x00000080 needs a 16-bit word as a signed number: 8 bits would cut it");
        row("no such operation", "8:00", {"shift:1"},
            "'shift:1': no such operation: not, and:X, or:X, xor:X, nand:X, nor:X, shl:N, shr:N, "
            "sar:N, rol:N, ror:N, rcl:N, rcr:N, swap, reverse, set:I[-J], clear:I[-J], "
            "flip:I[-J], field:I-J, width:W");
        row("a count that is none", "8:00", {"shl:x"},
            "'shl:x': expected a count from 0 to 4294967295 after ':'");
        row("no count", "8:00", {"rol"}, "'rol': 'rol' needs ':' and a count");
        row("something after not", "8:00", {"not:1"}, "'not:1': 'not' takes nothing after it");
        row("a width that is none", "8:00", {"width:24"},
            "'width:24': a word has 8, 16, 32, 64 or 128 bits");
    }

    void operations()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, operations);
        QFETCH(QString, expected);
        BitWord current = word(start);
        try {
            for (const QString& spelled : operations) {
                const BitOperation operation = readOperation(spelled.toStdString(), current);
                // The spelling written back reads as the same operation.
                const std::string written = operationText(operation, current.width);
                QCOMPARE(operationText(readOperation(written, current), current.width), written);
                current = applyOperation(current, operation);
            }
            QCOMPARE(text(current), expected);
        } catch (const EZentrixError& error) {
            QCOMPARE(QString(error.what()), expected);
        }
    }

    // Operations on a field of the word: the rest stays, the carry is the field's.
    void fieldOperations_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shl in a nibble") << "16:F0F0"
                                         << "shl:1" << 4 << 7 << "16:F0E0:c";
        QTest::newRow("sar of the field's sign") << "16:0080"
                                                 << "sar:2" << 4 << 7 << "16:00E0";
        QTest::newRow("rol in the top bits")
            << "128:80000000000000000000000000000001"
            << "rol:1" << 120 << 127 << "128:01000000000000000000000000000001:c";
        QTest::newRow("not") << "8:00"
                             << "not" << 2 << 4 << "8:1C";
        QTest::newRow("an operand that fits") << "8:FF"
                                              << "and:5" << 0 << 3 << "8:F5";
        QTest::newRow("a negative operand of a signed word") << "s8:00"
                                                             << "or:-1" << 0 << 3 << "s8:0F";
        QTest::newRow("an operand too wide")
            << "8:FF"
            << "and:0x10" << 0 << 3 << "The operand 0x10 is wider than the 4-bit field";
        QTest::newRow("a swap of part of a byte")
            << "16:1234"
            << "swap" << 0 << 11 << "A byte swap needs whole bytes, not 12 bits";
        QTest::newRow("a swap of two bytes") << "32:12345678"
                                             << "swap" << 8 << 23 << "32:12563478";
        QTest::newRow("no width change in a field")
            << "32:0"
            << "width:64" << 0 << 7 << "'width' acts on the whole word, not on a field of it";
    }

    void fieldOperations()
    {
        QFETCH(QString, start);
        QFETCH(QString, operation);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, expected);
        const BitWord first = word(start);
        QCOMPARE(outcome([&] {
                     return applyToField(first, readOperation(operation.toStdString(), first),
                                         BitRange{unsigned(low), unsigned(high)});
                 }),
                 expected);
    }

    void views_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* start, const char* key, const char* expected) {
            QTest::addRow("%s %s", start, key) << start << key << expected;
        };
        row("s32:FFFFFFFA", "unsigned", "4294967290");
        row("s32:FFFFFFFA", "signed", "-6");
        row("32:FFFFFFFA", "signed", "4294967290");
        row("s128:80000000000000000000000000000000", "signed",
            "-170141183460469231731687303715884105728");
        row("128:FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "octal",
            "3777777777777777777777777777777777777777777");
        row("16:00FF", "hexadecimal", "00FF");
        row("16:A5F0", "binary_by_4", "1010 0101 1111 0000");
        row("16:A5F0", "binary_by_8", "10100101 11110000");
        row("32:C0A80101", "bytes_big_endian", "C0 A8 01 01");
        row("32:C0A80101", "bytes_little_endian", "01 01 A8 C0");
        row("32:C0A80101", "dotted", "192.168.1.1");
        row("128:20010DB8000000000000000000000001", "ipv6", "2001:db8::1");
        row("64:48656C6C6F200A7F", "characters", "Hello ..");
        row("32:00F0F000", "population_count", "8");
        row("32:00F0F000", "leading_zeros", "8");
        row("32:00F0F000", "trailing_zeros", "12");
        row("32:00000000", "trailing_zeros", "32");
        row("32:00000007", "parity", "odd");
        row("8:01:c", "carry", "1");
        // An 8-bit or 128-bit word has no float of its width.
        row("8:01", "float_value", "");
        row("128:1", "float_value", "");
    }

    void views()
    {
        QFETCH(QString, start);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(fieldText(wordViews(word(start)), key.toLatin1())),
                 expected);
    }

    void copyForms_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0x hex") << int(CopyForm::Hex) << "0x1234ABCD";
        QTest::newRow("C++ literal") << int(CopyForm::CLiteral) << "0x1234'ABCD";
        QTest::newRow("plain hex") << int(CopyForm::PlainHex) << "1234ABCD";
        QTest::newRow("binary") << int(CopyForm::Binary) << "00010010001101001010101111001101";
    }

    void copyForms()
    {
        QFETCH(int, form);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(copyText(word("32:1234ABCD"), CopyForm(form))), expected);
    }

    void allViewsCopy()
    {
        const QStringList lines =
            QString::fromStdString(copyText(word("s16:8000"), CopyForm::AllViews)).split("\r\n");
        QCOMPARE(lines.size(), int(wordViews(word("s16:8000")).size()));
        QVERIFY(lines.contains("Signed decimal\t-32768"));
        QVERIFY(lines.contains("Float value\t-0.0"));
    }
};

QTEST_APPLESS_MAIN(TestBitWord)
#include "tst_bitword.moc"
