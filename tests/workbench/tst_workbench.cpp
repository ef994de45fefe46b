// The bit workbench as a user works it: every input form typed into the
// entry, bits clicked and flipped with the keys, a field dragged and
// shifted, undo and redo, each form of copy, the history's entries
// copied, the operations' shortcuts, and the window remembered.

#include "tests/support/UiFixture.h"
#include "tests/workbench/WorkbenchDriver.h"

#include "workbench/BitGrid.h"
#include "workbench/RememberedWorkbench.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSettings>

class TestWorkbench : public QObject, WorkbenchDriver
{
    Q_OBJECT

    void check(const QStringList& expected)
    {
        // "WHAT=text" reads exactly, "WHAT~text" finds text in it.
        for (const QString& line : expected) {
            const bool exact = line.indexOf('=') >= 0 &&
                               (line.indexOf('~') < 0 || line.indexOf('=') < line.indexOf('~'));
            const QString what = line.section(exact ? '=' : '~', 0, 0);
            const QString text = line.section(exact ? '=' : '~', 1);
            const QString shown = read(what);
            if (exact)
                QCOMPARE(shown, text);
            else
                QVERIFY2(shown.contains(text), qPrintable(what + ": " + shown));
        }
    }

private slots:
    void init() { startWorkbench(); }
    void cleanup() { finish(); }

    void typing_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QStringList steps, QStringList expected) {
            QTest::newRow(name) << steps << expected;
        };
        row("decimal", {"type:3232235777"},
            {"view:hexadecimal=C0A80101", "view:dotted=192.168.1.1", "message="});
        row("hexadecimal with separators", {"type:0xDEAD_beef"},
            {"view:unsigned=3735928559", "view:bytes_little_endian=EF BE AD DE"});
        row("octal", {"type:0o17"}, {"view:binary_by_4=0000 0000 0000 0000 0000 0000 0000 1111"});
        row("binary", {"type:0b1010'0101"}, {"view:hexadecimal=000000A5", "view:parity=even"});
        row("characters", {"type:'AB'"}, {"view:hexadecimal=00004142", "view:characters=..AB"});
        row("UTF-8 characters", {"width:16", "paste:'é'"}, {"view:hexadecimal=C3A9"});
        row("IPv4 address", {"type:10.0.0.1"}, {"view:unsigned=167772161"});
        // Refused at 32 bits and kept as typed, then read as soon as the
        // width that the message names is chosen.
        row("IPv6 address needs 128 bits", {"type:2001:db8::1"},
            {"message='2001:db8::1' needs a 128-bit word: 32 bits are too few",
             "entry=2001:db8::1"});
        row("then the width is chosen", {"type:2001:db8::1", "width:128"},
            {"message=", "view:ipv6=2001:db8::1", "width=128 bits",
             "view:hexadecimal=20010DB8000000000000000000000001"});
        row("negative without Signed", {"type:-6"},
            {"message='-6' is negative: only a signed word holds it (tick Signed)"});
        row("then Signed", {"type:-6", "signed"},
            {"message=", "view:hexadecimal=FFFFFFFA", "view:signed=-6",
             "view:unsigned=4294967290"});
        row("a signed byte", {"width:8", "signed", "type:-128"},
            {"view:hexadecimal=80", "view:float_value="});
        row("too wide for a byte", {"width:8", "type:300"},
            {"message='300' needs a 16-bit word: 8 bits are too few"});
        row("binary16", {"width:16", "type:1.5"},
            {"view:hexadecimal=3E00", "view:float_value=1.5", "view:float_class=normal",
             "view:float_exponent=0"});
        row("a signalling NaN", {"type:0x7F800001"},
            {"view:float_class=NaN", "view:nan_kind=signalling", "view:nan_payload=0x000001"});
        row("128-bit decimal", {"width:128", "type:340282366920938463463374607431768211455"},
            {"view:octal=3777777777777777777777777777777777777777777",
             "view:population_count=128"});
        row("an empty entry is a hint", {"type:"}, {"message~Type a value"});
    }

    void typing()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        runAll(steps);
        check(expected);
    }

    // Bits flipped by clicks and keys, a field chosen by a drag and by
    // Shift with the arrow keys, and what acts on it.
    void bitsAndFields_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QStringList steps, QStringList expected) {
            QTest::newRow(name) << steps << expected;
        };
        row("clicks flip bits", {"click:0", "click:31", "click:8"},
            {"view:hexadecimal=80000101", "entry=0x80000101"});
        row("a click twice flips back", {"click:5", "click:5"}, {"view:hexadecimal=00000000"});
        // The cursor starts on bit 0; Left goes to the higher bit beside it,
        // Up to the row above (32 higher) of a 64-bit word.
        row("Space and the arrows",
            {"width:64", "keys:Space", "keys:Left", "keys:Space", "keys:Up", "keys:Space"},
            {"view:hexadecimal=0000000200000003"});
        row("a dragged field shifted left", {"type:0xF0F0", "drag:7-4", "shl"},
            {"view:hexadecimal=0000F0E0", "carry=yes", "field~bits 4 to 7 hold 0xE (14)"});
        row("a field chosen with the keys, rotated",
            {"type:0x0001", "keys:Shift+Left", "keys:Shift+Left", "keys:Shift+Left", "ror"},
            {"view:hexadecimal=00000008", "field~bits 0 to 3"});
        row("set, clear and flip a field",
            {"drag:8-15", "set", "drag:12-13", "clear", "drag:0-3", "flip"},
            {"view:hexadecimal=0000CF0F"});
        row("extract a field", {"type:0x12345678", "drag:8-15", "field"},
            {"view:hexadecimal=00000056"});
        row("Escape lets the field go", {"drag:0-3", "keys:Escape", "not"},
            {"view:hexadecimal=FFFFFFFF", "field~whole word"});
    }

    void bitsAndFields()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        runAll(steps);
        check(expected);
    }

    void operations_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QStringList steps, QStringList expected) {
            QTest::newRow(name) << steps << expected;
        };
        row("AND with the operand", {"type:0xFF0F", "operand:0x0FF0", "and"},
            {"view:hexadecimal=00000F00", "entry=0x00000F00"});
        row("no operand", {"type:1", "xor"},
            {"message=Type the second operand first, in the Operand field"});
        row("shift by the count, the entry in its form", {"type:3", "count:4", "shl"},
            {"view:unsigned=48", "entry=48"});
        row("through the carry", {"type:0x80000000", "rcl", "rcl"},
            {"view:hexadecimal=00000001", "carry=no"});
        row("swap and reverse", {"type:0x12345678", "swap", "reverse"},
            {"view:hexadecimal=482C6A1E"});
        row("a width change extends the sign", {"width:8", "signed", "type:-2", "width:32"},
            {"view:hexadecimal=FFFFFFFE", "entry=-2"});
        // The arrow keys step through 16 bits, which hold it, to 8, which do not.
        row("a narrowing that would cut is refused", {"type:0x1234", "width:8"},
            {"message=0x1234 needs a 16-bit word: 8 bits would cut it", "width=16 bits"});
        // The shortcuts work from the entry, where the focus is after typing.
        row("shortcuts", {"type:1", "shortcut:Alt+Left", "shortcut:Ctrl+Shift+N"},
            {"view:hexadecimal=FFFFFFFD"});
    }

    void operations()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        runAll(steps);
        check(expected);
    }

    // Typing is one step; each operation another; undo and redo walk them,
    // with the keys from the entry too.
    void undoAndRedo()
    {
        runAll({"type:0x10", "shl", "not"});
        QCOMPARE(read("history"), QStringLiteral("Start \u2192 0x0000_0000;typed 0x10 \u2192 "
                                                 "0x0000_0010;shl:1 \u2192 0x0000_0020;not "
                                                 "\u2192 0xFFFF_FFDF"));
        run("shortcut:Ctrl+Z");
        QCOMPARE(read("view:hexadecimal"), QStringLiteral("00000020"));
        QCOMPARE(read("entry"), QStringLiteral("0x00000020"));
        run("undo");
        run("undo");
        QCOMPARE(read("view:hexadecimal"), QStringLiteral("00000000"));
        run("shortcut:Ctrl+Shift+Z");
        QCOMPARE(read("view:hexadecimal"), QStringLiteral("00000010"));
        run("redo");
        QCOMPARE(read("view:hexadecimal"), QStringLiteral("00000020"));
    }

    void copyForms_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0x hex") << 0 << "0x1234ABCD";
        QTest::newRow("C/C++ literal") << 1 << "0x1234'ABCD";
        QTest::newRow("plain hex") << 2 << "1234ABCD";
        QTest::newRow("binary") << 3 << "00010010001101001010101111001101";
    }

    void copyForms()
    {
        QFETCH(int, form);
        QFETCH(QString, expected);
        runAll({"type:0x1234abcd", QStringLiteral("copyform:%1").arg(form), "copy"});
        QCOMPARE(clipboardText(), expected);
        // The Edit menu's shortcut copies the same.
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        run("shortcut:Ctrl+Shift+C");
        QCOMPARE(clipboardText(), expected);
    }

    void allViewsCopied()
    {
        runAll({"type:-1", "signed", "copyform:4", "copy"});
        const QStringList lines = clipboardText().split(QStringLiteral("\r\n"));
        QVERIFY(lines.contains(QStringLiteral("Signed decimal\t-1")));
        QVERIFY(lines.contains(QStringLiteral("Hexadecimal\tFFFFFFFF")));
        QVERIFY(lines.contains(QStringLiteral("Float class\tNaN")));
    }

    // An entry of the history copies its own value, in the copy form.
    void historyEntryCopied()
    {
        runAll({"type:255", "not", "copyform:1"});
        auto* history = inWorkbench<QListView>(QStringLiteral("HistoryView"));
        history->setFocus();
        history->setCurrentIndex(history->model()->index(1, 0));
        QTest::keyClick(history, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardText(), QStringLiteral("0x0000'00FF"));
        // Enter goes back to it.
        QTest::keyClick(history, Qt::Key_Return);
        QCOMPARE(read("view:hexadecimal"), QStringLiteral("000000FF"));
    }

    // The window's state comes back with it, in a file of its own; the main
    // window's settings do not hold it.
    void remembered()
    {
        runAll({"width:16", "signed", "type:-3", "operand:0x0F", "copyform:2"});
        stop();
        QVERIFY(QFile::exists(TRememberedWorkbench::storeFileName()));
        QVERIFY(!QSettings().allKeys().join(' ').contains(QLatin1String("Workbench")));
        open();
        openWorkbench();
        check({"entry=-3", "width=16 bits", "signed=yes", "view:hexadecimal=FFFD"});
        QCOMPARE(inWorkbench<QLineEdit>(QStringLiteral("OperandEdit"))->text(),
                 QStringLiteral("0x0F"));
        run("copy");
        QCOMPARE(clipboardText(), QStringLiteral("FFFD"));
    }

    // A window of its own that fits a small screen, and whose every control
    // a screen reader can name.
    void fitsAndIsNamed()
    {
        QVERIFY(!workbench()->isModal());
        QVERIFY(workbench()->parentWidget() == nullptr);
        const QSize least = workbench()->minimumSizeHint();
        QVERIFY2(least.width() <= 1024 && least.height() <= 740,
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        run("width:128");
        QVERIFY(workbench()->minimumSizeHint().height() <= 740);
        for (QWidget* control : workbench()->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(workbench()) || control->focusPolicy() == Qt::NoFocus ||
                qobject_cast<QLabel*>(control))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            const QString name = accessible->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() || control->objectName().startsWith(QLatin1String("qt_")),
                     qPrintable(control->metaObject()->className() + QStringLiteral(" ") +
                                control->objectName()));
        }
    }
};

ZENTRIX_UI_TEST_MAIN(TestWorkbench)
#include "tst_workbench.moc"
