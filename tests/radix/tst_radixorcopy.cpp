#include "tests/support/RadixDriver.h"

#include "controls/SuperStringGrid.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>

// Copying from the number-base calculator: one field by its button or
// Ctrl+C, the lookup table, and the Edit menu that follows the focus,
// driven through the real main window.
class TestRadixorCopy : public QObject, RadixDriver
{
    Q_OBJECT

private slots:
    void init() { start("RadixorCalculator1"); }
    void cleanup() { finish(); }

    void copyOneField_data()
    {
        QTest::addColumn<QString>("copyButton"); // empty: Ctrl+C
        QTest::addColumn<QString>("focusField");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* copyButton, const char* focus,
                      const char* expected) {
            QTest::newRow(name) << copyButton << focus << expected;
        };
        row("decimal", "DecClipboardButton", "", "4,660");
        row("hexadecimal", "HexClipboardButton", "", "12 34");
        row("binary", "BinClipboardButton", "", "00010010 00110100");
        row("decimal, focused", "DecClipboardButton", "DecMemo", "4660");
        row("hexadecimal, focused", "HexClipboardButton", "HexMemo", "1234");
        row("binary, focused", "BinClipboardButton", "BinMemo", "0001001000110100");
        row("hexadecimal, decimal focused", "HexClipboardButton", "DecMemo", "12 34");
        row("Ctrl+C in decimal", "", "DecMemo", "4660");
        row("Ctrl+C in hexadecimal", "", "HexMemo", "1234");
        row("Ctrl+C in binary", "", "BinMemo", "0001001000110100");
        row("Ctrl+C outside the fields", "", "", "untouched");
    }

    void copyOneField()
    {
        QFETCH(QString, copyButton);
        QFETCH(QString, focusField);
        QFETCH(QString, expected);

        typeInto(hex(), "1234");
        leaveFields();
        QGuiApplication::clipboard()->setText("untouched");
        QWidget* focus =
            focusField.isEmpty() ? static_cast<QWidget*>(widthItem(1)) : memo(focusField);
        if (!focusField.isEmpty())
            click(focus);
        if (copyButton.isEmpty())
            QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
        else
            click(button(qPrintable(copyButton)));
        QCOMPARE(clipboardText(), expected);
        QVERIFY(focusField.isEmpty() || focus->hasFocus());
    }

    void lookupTableCells_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("header") << 0 << QStringList{"Decimal", "Hexadecimal", "Binary"};
        QTest::newRow("0") << 1 << QStringList{"0", " 0", "     0000"};
        QTest::newRow("15") << 16 << QStringList{"15", " F", "     1111"};
        QTest::newRow("16") << 17 << QStringList{"16", "10", "0001 0000"};
        QTest::newRow("171") << 172 << QStringList{"171", "AB", "1010 1011"};
        QTest::newRow("255") << 256 << QStringList{"255", "FF", "1111 1111"};
    }

    void lookupTableCells()
    {
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        QCOMPARE(lookupGrid()->RowCount(), 257);
        QCOMPARE(lookupGrid()->ColCount(), 3);
        QCOMPARE(QStringList({lookupGrid()->Cells(0, row), lookupGrid()->Cells(1, row),
                              lookupGrid()->Cells(2, row)}),
                 cells);
    }

    void lookupTableCopy()
    {
        clickTab(pages(), 1);
        QVERIFY(editMenuEnabled());
        QVERIFY(button("CopyLookupTableButton")->isEnabled());

        clickCell(lookupGrid(), 0, 15);
        clickCell(lookupGrid(), 2, 17, Qt::ShiftModifier);
        const QString expected = "Decimal\tHexadecimal\tBinary\r\n"
                                 "14\t E\t     1110\r\n"
                                 "15\t F\t     1111\r\n"
                                 "16\t10\t0001 0000\r\n";
        QTest::keyClick(lookupGrid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardText(), expected);

        clickCell(lookupGrid(), 1, 1);
        clickCell(lookupGrid(), 1, 2, Qt::ShiftModifier);
        click(button("CopyLookupTableButton"));
        QCOMPARE(clipboardText(), QStringLiteral("Hexadecimal\r\n 0\r\n 1\r\n"));

        // Selecting the calculator again keeps the table's copy.
        trigger("VantrelCalculator1");
        trigger("RadixorCalculator1");
        QVERIFY(editMenuEnabled());
        clickCell(lookupGrid(), 1, 256);
        trigger("Copy1");
        QCOMPARE(clipboardText(), QStringLiteral("Hexadecimal\r\nFF\r\n"));
    }

    void leavingTheLookupTable()
    {
        clickTab(pages(), 1);
        widthItem(1)->setFocus();
        clickTab(pages(), 0);
        QVERIFY(!editMenuEnabled());
        QVERIFY(!button("CopyLookupTableButton")->isEnabled());
    }

    void leavingTheLookupTableFromInsideIt()
    {
        clickTab(pages(), 1);
        clickCell(lookupGrid(), 0, 1);
        clickTab(pages(), 0);
        QVERIFY(!button("CopyLookupTableButton")->isEnabled());
        // The focus moves onto the page; Edit > Copy follows wherever it lands.
        QWidget* focus = QApplication::focusWidget();
        const bool inField = focus == dec() || focus == hex() || focus == bin();
        QCOMPARE(editMenuEnabled(), inField);
        if (inField) {
            trigger("Copy1");
            QCOMPARE(clipboardText(), qobject_cast<QLineEdit*>(focus)->text());
        }
    }

    void reselectingWithAFieldFocused()
    {
        typeInto(dec(), "12");
        trigger("RadixorCalculator1");
        // The selection disables the Edit menu until a field is entered again.
        QVERIFY(!editMenuEnabled());
        QVERIFY(dec()->hasFocus());
        QTest::keyClick(dec(), Qt::Key_Tab);
        QVERIFY(editMenuEnabled());
        QCOMPARE(dec()->text(), QStringLiteral("12"));
    }
};

ZENTRIX_UI_TEST_MAIN(TestRadixorCopy)
#include "tst_radixorcopy.moc"
