#include "tests/support/RadixDriver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

// The number-base calculator's conversion: typing, pasting, the number
// widths, leaving and entering the fields, Clear and Invert, driven through
// the real main window.
class TestRadixorCalc : public QObject, RadixDriver
{
    Q_OBJECT

    void verifyFields(const QString& decText, const QString& hexText, const QString& binText)
    {
        QCOMPARE(dec()->text(), decText);
        QCOMPARE(hex()->text(), hexText);
        QCOMPARE(bin()->text(), binText);
    }

    // Columns shared by the tables: a width item and the three texts shown.
    static void addFieldColumns()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("decText");
        QTest::addColumn<QString>("hexText");
        QTest::addColumn<QString>("binText");
    }
    static void fieldRow(const char* name, int width, const char* field, const char* input,
                         const char* decText, const char* hexText, const char* binText)
    {
        QTest::newRow(name) << width << field << input << decText << hexText << binText;
    }

    // The current row of a table made with addFieldColumns.
    struct FieldCase
    {
        int width;
        QString field, input, decText, hexText, binText;
    };
    static FieldCase fetchFieldCase()
    {
        QFETCH(int, width);
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(QString, decText);
        QFETCH(QString, hexText);
        QFETCH(QString, binText);
        return {width, field, input, decText, hexText, binText};
    }
    void verifyFields(const FieldCase& row) { verifyFields(row.decText, row.hexText, row.binText); }
    // Selects the row's width and types its input into its field.
    QLineEdit* typeRow(const FieldCase& row)
    {
        selectWidth(row.width);
        QLineEdit* field = memo(row.field);
        typeInto(field, row.input);
        return field;
    }

private slots:
    void init() { start("RadixorCalculator1"); }
    void cleanup() { finish(); }

    void startsAtZeroIn16Bits()
    {
        verifyFields("0", "00 00", "00000000 00000000");
        QVERIFY(widthItem(1)->isChecked());
        QCOMPARE(pages()->currentWidget()->objectName(), QStringLiteral("ConversionTabSheet"));
        QVERIFY(!editMenuEnabled());
        QVERIFY(!button("CopyLookupTableButton")->isEnabled());
        QCOMPARE(button("DecClipboardButton")->accessibleName(),
                 QStringLiteral("Copy decimal number to clipboard"));
        QCOMPARE(find<QLabel>("HexLabel")->buddy(), static_cast<QWidget*>(hex()));
    }

    void typing_data()
    {
        addFieldColumns();
        const char* ones32 = "11111111 11111111 11111111 11111111";
        fieldRow("8 bits, decimal 255", 0, "DecMemo", "255", "255", "FF", "11111111");
        fieldRow("16 bits, decimal 255", 1, "DecMemo", "255", "255", "00 FF", "00000000 11111111");
        fieldRow("32 bits, decimal 255", 2, "DecMemo", "255", "255", "00 00 00 FF",
                 "00000000 00000000 00000000 11111111");
        fieldRow("8 bits, 256 refused at the 6", 0, "DecMemo", "256", "25", "19", "00011001");
        fieldRow("16 bits, 65536 refused", 1, "DecMemo", "65536", "6553", "19 99",
                 "00011001 10011001");
        fieldRow("16 bits, 65535 fits", 1, "DecMemo", "65535", "65535", "FF FF",
                 "11111111 11111111");
        // Beyond 32 bits a decimal number does not read: the field keeps it,
        // the others keep showing the last accepted value.
        fieldRow("32 bits, 2147483648 kept", 2, "DecMemo", "2147483648", "2147483648",
                 "0C CC CC CC", "00001100 11001100 11001100 11001100");
        fieldRow("32 bits, 3232235777 kept", 2, "DecMemo", "3232235777", "3232235777",
                 "13 44 00 19", "00010011 01000100 00000000 00011001");
        fieldRow("32 bits, 4294967296 kept", 2, "DecMemo", "4294967296", "4294967296",
                 "19 99 99 99", "00011001 10011001 10011001 10011001");
        fieldRow("decimal refuses letters and signs", 1, "DecMemo", "1a-2", "12", "00 0C",
                 "00000000 00001100");
        fieldRow("8 bits, three decimal digits", 0, "DecMemo", "1234", "123", "7B", "01111011");
        fieldRow("hexadecimal in lower case", 1, "HexMemo", "abc", "2,748", "ABC",
                 "00001010 10111100");
        fieldRow("hexadecimal refuses other letters", 1, "HexMemo", "1g2h", "18", "12",
                 "00000000 00010010");
        fieldRow("8 bits, two hexadecimal digits", 0, "HexMemo", "1ff", "31", "1F", "00011111");
        fieldRow("32 bits, FFFFFFFF", 2, "HexMemo", "FFFFFFFF", "-1", "FFFFFFFF", ones32);
        // A sign before a multiple of three digits takes no separator.
        fieldRow("32 bits, FFFE1DC0", 2, "HexMemo", "FFFE1DC0", "-123,456", "FFFE1DC0",
                 "11111111 11111110 00011101 11000000");
        fieldRow("32 bits, 80000000", 2, "HexMemo", "80000000", "-2,147,483,648", "80000000",
                 "10000000 00000000 00000000 00000000");
        fieldRow("8 bits, binary 101", 0, "BinMemo", "101", "5", "05", "101");
        fieldRow("binary refuses other digits", 1, "BinMemo", "1021", "5", "00 05", "101");
        fieldRow("8 bits, eight binary digits", 0, "BinMemo", "111111111", "255", "FF", "11111111");
        fieldRow("32 bits, binary with bit 31", 2, "BinMemo", "10000000000000000000000000000001",
                 "-2,147,483,647", "80 00 00 01", "10000000000000000000000000000001");
    }

    void typing()
    {
        const FieldCase row = fetchFieldCase();
        QLineEdit* field = typeRow(row);
        QVERIFY(field->hasFocus());
        verifyFields(row);
        QCOMPARE(field->cursorPosition(), field->text().size());
    }

    void refusalPutsCaretAtTheEnd()
    {
        selectWidth(0);
        typeInto(dec(), "26");
        // A 5 in front of the 6 makes 256: refused, back to 26.
        QTest::keyClick(dec(), Qt::Key_Left);
        QTest::keyClick(dec(), Qt::Key_5);
        verifyFields("26", "1A", "00011010");
        QCOMPARE(dec()->cursorPosition(), 2);
    }

    void pasting_data()
    {
        addFieldColumns();
        // Maximum lengths cut what is pasted; pasted text is not filtered.
        fieldRow("8 bits, decimal cut", 0, "DecMemo", "12345", "123", "7B", "01111011");
        fieldRow("8 bits, hexadecimal cut", 0, "HexMemo", "abcd", "171", "ab", "10101011");
        fieldRow("32 bits, grouped decimal", 2, "DecMemo", "1,234,567", "1,234,567", "00 12 D6 87",
                 "00000000 00010010 11010110 10000111");
        // Text that is no number stays; the value does not move.
        fieldRow("32 bits, not a number", 2, "DecMemo", "12x", "12x", "00 00 00 00",
                 "00000000 00000000 00000000 00000000");
        fieldRow("32 bits, decimal beyond the range", 2, "DecMemo", "9999999999", "9999999999",
                 "00 00 00 00", "00000000 00000000 00000000 00000000");
    }

    void pasting()
    {
        const FieldCase row = fetchFieldCase();
        selectWidth(row.width);
        pasteInto(memo(row.field), row.input);
        verifyFields(row);
    }

    void pastedSeparatorsAreNotDoubled()
    {
        selectWidth(2);
        pasteInto(hex(), "AB CD");
        QCOMPARE(dec()->text(), QStringLiteral("43,981"));
        leaveFields();
        QCOMPARE(hex()->text(), QStringLiteral("AB CD"));
    }

    void emptyFieldTurnsToZeroOnLeaving()
    {
        typeInto(hex(), "ff");
        QTest::keyClick(hex(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(hex(), Qt::Key_Backspace);
        verifyFields("255", "", "00000000 11111111");
        leaveFields();
        // The field is regrouped from its own text, not rebuilt from the value.
        verifyFields("0", "0", "00000000 00000000");
    }

    void widthSwitch_data()
    {
        addFieldColumns();
        QTest::addColumn<int>("newWidth");
        auto add = [](const char* name, int from, const char* input, int to, const char* decText,
                      const char* hexText, const char* binText) {
            QTest::newRow(name) << from << (input[0] == 'F' ? "HexMemo" : "DecMemo") << input
                                << decText << hexText << binText << to;
        };
        add("32 to 16 clamps 100,000", 2, "100000", 1, "65535", "FF FF", "11111111 11111111");
        add("16 to 8 clamps 300", 1, "300", 0, "255", "FF", "11111111");
        add("32 to 8 clamps the largest", 2, "2147483647", 0, "255", "FF", "11111111");
        add("16 to 8 keeps 100", 1, "100", 0, "100", "64", "01100100");
        add("8 to 32 keeps 200", 0, "200", 2, "200", "00 00 00 C8",
            "00000000 00000000 00000000 11001000");
        add("32 to 8 keeps a negative value", 2, "FFFFFFFE", 0, "-2", "FF FF FF FE", "11111110");
        // A decimal text that does not read stays; the value becomes the maximum.
        add("32 to 8 with 4294967296 typed", 2, "4294967296", 0, "4,294,967,296", "FF", "11111111");
    }

    void widthSwitch()
    {
        const FieldCase row = fetchFieldCase();
        QFETCH(int, newWidth);
        typeRow(row);
        leaveFields();
        selectWidth(newWidth);
        verifyFields(row);
    }

    void maximumLengths_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("maxDigits");
        const int lengths[3][3] = {{3, 2, 8}, {5, 4, 16}, {10, 8, 32}};
        for (int width = 0; width < 3; ++width) {
            int i = 0;
            for (const char* field : {"DecMemo", "HexMemo", "BinMemo"}) {
                QTest::addRow("%d bits, %s", 8 << width, field)
                    << width << field << lengths[width][i++];
            }
        }
    }

    void maximumLengths()
    {
        QFETCH(int, width);
        QFETCH(QString, field);
        QFETCH(int, maxDigits);

        // Another width first, so that the item really changes.
        selectWidth((width + 1) % 3);
        selectWidth(width);
        // Zeros fit any width, so only the length can stop them.
        typeInto(memo(field), QString(maxDigits + 3, '0'));
        QCOMPARE(memo(field)->text(), QString(maxDigits, '0'));
    }

    void enteringAndLeaving_data()
    {
        addFieldColumns();
        // decText holds the field's own text once left.
        fieldRow("decimal", 2, "DecMemo", "1234567", "1,234,567", "", "");
        fieldRow("decimal of three digits", 2, "DecMemo", "123", "123", "", "");
        fieldRow("negative value", 2, "HexMemo", "fffe1dc0", "FF FE 1D C0", "", "");
        fieldRow("hexadecimal regrouped, not padded", 1, "HexMemo", "abc", "A BC", "", "");
        fieldRow("binary of nine digits", 1, "BinMemo", "100000000", "1 00000000", "", "");
    }

    void enteringAndLeaving()
    {
        const FieldCase row = fetchFieldCase();
        selectWidth(row.width);
        QVERIFY(!editMenuEnabled());
        QLineEdit* field = typeRow(row);
        QVERIFY(editMenuEnabled());

        leaveFields();
        QCOMPARE(field->text(), row.decText);
        QVERIFY(!editMenuEnabled());

        // Entering strips the separators and leaves the caret at the end,
        // with nothing selected, for every field.
        for (QLineEdit* each : {dec(), hex(), bin()}) {
            const QString grouped = each->text();
            each->setFocus(Qt::TabFocusReason);
            QCOMPARE(each->text(), QString(grouped).remove(' ').remove(','));
            QCOMPARE(each->cursorPosition(), each->text().size());
            QVERIFY(!each->hasSelectedText());
            QVERIFY(editMenuEnabled());
        }
    }

    void ctrlTabIsDiscarded()
    {
        typeInto(dec(), "42");
        QTest::keyClick(dec(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages()->currentIndex(), 0);
        QVERIFY(dec()->hasFocus());
        QCOMPARE(dec()->text(), QStringLiteral("42"));
    }

    void clear()
    {
        selectWidth(2);
        typeInto(hex(), "DEADBEEF");
        click(button("ClearButton"));
        verifyFields("0", "00 00 00 00", "00000000 00000000 00000000 00000000");
        // The last accepted value is zero now.
        selectWidth(0);
        typeInto(dec(), "999");
        verifyFields("99", "63", "01100011");
    }

    void invertTwice_data()
    {
        addFieldColumns();
        // input: the decimal typed; the texts: shown after one Invert, the
        // decimal in plain digits as if typed.
        fieldRow("8 bits, 5", 0, "DecMemo", "5", "-6", "FF FF FF FA", "11111010");
        fieldRow("16 bits, 0", 1, "DecMemo", "0", "-1", "FF FF FF FF", "11111111 11111111");
        fieldRow("16 bits, 65535", 1, "DecMemo", "65535", "-65536", "FF FF 00 00",
                 "00000000 00000000");
        fieldRow("32 bits, largest", 2, "DecMemo", "2147483647", "-2147483648", "80 00 00 00",
                 "10000000 00000000 00000000 00000000");
        fieldRow("32 bits, -1", 2, "HexMemo", "FFFFFFFF", "0", "00 00 00 00",
                 "00000000 00000000 00000000 00000000");
    }

    void invertTwice()
    {
        const FieldCase row = fetchFieldCase();
        typeRow(row);
        leaveFields();
        const QString before[] = {dec()->text(), hex()->text(), bin()->text()};
        click(button("InvertButton"));
        verifyFields(row);
        click(button("InvertButton"));
        QCOMPARE(StripSeparators(dec()->text()), StripSeparators(before[0]));
        QCOMPARE(hex()->text(), before[1]);
        QCOMPARE(bin()->text(), before[2]);
    }

    void invertReportsUnreadableDecimal()
    {
        selectWidth(2);
        typeInto(dec(), "42");
        pasteInto(dec(), "12x");
        click(button("InvertButton"));
        QCOMPARE(MessageBoxCatcher::instance().take(),
                 QStringList{"'12x' is not a valid integer value"});
        verifyFields("12x", "00 00 00 2A", "00000000 00000000 00000000 00101010");
    }

private:
    static QString StripSeparators(QString text) { return text.remove(' ').remove(','); }
};

ZENTRIX_UI_TEST_MAIN(TestRadixorCalc)
#include "tst_radixorcalc.moc"
