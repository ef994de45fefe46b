#include "tests/controls/SpinEditFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include <climits>
#include <memory>

namespace {

// While it lives, drops the offscreen platform's notices that it cannot
// raise a popup or let it grab the keyboard: they are about the platform,
// not the control, and every other message still gets through.
class QuietPlatformNotices
{
public:
    QuietPlatformNotices() { previous = qInstallMessageHandler(&filter); }
    ~QuietPlatformNotices() { qInstallMessageHandler(previous); }

private:
    static void filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (!text.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, text);
    }

    static inline QtMessageHandler previous = nullptr;
};

} // namespace

// The spin edit's value and text: the value setter and its limits, typed
// text and when it commits, which keys and clipboard commands get through.
class TestBetterSpinEdit : public QObject
{
    Q_OBJECT

private slots:
    void valueSetter_data();
    void valueSetter();
    void limitsReclampTheValue_data();
    void limitsReclampTheValue();
    void typedTextCommits_data();
    void typedTextCommits();
    void typingFilter_data();
    void typingFilter();
    void autoSelectOnEntry_data();
    void autoSelectOnEntry();
    void pasteAndCutGate_data();
    void pasteAndCutGate();
    void contextMenuFollowsTheGate_data();
    void contextMenuFollowsTheGate();
};

void TestBetterSpinEdit::valueSetter_data()
{
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("expected");

    QTest::newRow("equal limits: no limit, negative") << 0 << 0 << 0 << -5 << -5;
    QTest::newRow("equal non-zero limits: no limit") << 7 << 7 << 0 << 100 << 100;
    QTest::newRow("below the minimum") << 1 << 22 << 8 << 0 << 1;
    QTest::newRow("above the maximum") << 1 << 22 << 8 << 30 << 22;
    QTest::newRow("inside the limits") << 1 << 22 << 8 << 9 << 9;
    // With the lower limit above the upper, the lower one is tested first.
    QTest::newRow("crossed limits: below the lower") << 10 << 5 << 12 << 3 << 10;
    QTest::newRow("crossed limits: between") << 10 << 5 << 12 << 7 << 10;
    QTest::newRow("crossed limits: above the lower") << 10 << 5 << 0 << 12 << 5;
    QTest::newRow("same value") << 1 << 22 << 8 << 8 << 8;
    QTest::newRow("clamped onto the current value") << 1 << 22 << 22 << 50 << 22;
    QTest::newRow("32-bit extremes") << 0 << 0 << INT_MAX << INT_MIN << INT_MIN;
}

void TestBetterSpinEdit::valueSetter()
{
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, start);
    QFETCH(int, written);
    QFETCH(int, expected);

    SpinEditFixture f;
    f.setup(minValue, maxValue, start);
    const int before = f.spin->Value(); // start, clamped to the limits
    QStringList textsAtChange;
    QObject::connect(f.spin, &TBetterSpinEdit::changed, f.spin,
                     [&] { textsAtChange << f.spin->text(); });
    f.spin->setText(QStringLiteral("77")); // uncommitted typing is replaced in any case

    f.spin->setValue(written);
    QCOMPARE(f.spin->Value(), expected);
    QCOMPARE(f.spin->text(), QString::number(expected));
    // One notification for a real change, seen while the old text still shows.
    const QStringList expectedTexts = expected == before ? QStringList() : QStringList{"77"};
    QCOMPARE(textsAtChange, expectedTexts);
}

void TestBetterSpinEdit::limitsReclampTheValue_data()
{
    QTest::addColumn<int>("newMin");
    QTest::addColumn<int>("newMax");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("changes");

    // Start: limits 1..22, value 20.
    QTest::newRow("maximum lowered below the value") << 1 << 10 << 10 << 1;
    QTest::newRow("minimum raised above the value") << 21 << 22 << 21 << 1;
    QTest::newRow("limits made equal lift the limit") << 5 << 5 << 20 << 0;
    QTest::newRow("limits widened") << 0 << 100 << 20 << 0;
}

void TestBetterSpinEdit::limitsReclampTheValue()
{
    QFETCH(int, newMin);
    QFETCH(int, newMax);
    QFETCH(int, expected);
    QFETCH(int, changes);

    SpinEditFixture f;
    f.setup(1, 22, 20);
    f.spin->setMinValue(newMin);
    f.spin->setMaxValue(newMax);
    QCOMPARE(f.spin->Value(), expected);
    QCOMPARE(f.count("changed"), changes);
    QCOMPARE(f.spin->text(), QString::number(expected));
}

void TestBetterSpinEdit::typedTextCommits_data()
{
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("commit"); // "enter", "leave" or "none"
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("expectedText");

    QTest::newRow("too big, Enter") << 1 << 22 << 8 << "30"
                                    << "enter" << 22 << "22";
    QTest::newRow("too small, leaving") << 1 << 22 << 8 << "0"
                                        << "leave" << 1 << "1";
    QTest::newRow("in range, Enter") << 1 << 22 << 8 << "15"
                                     << "enter" << 15 << "15";
    QTest::newRow("typing alone commits nothing") << 1 << 22 << 8 << "15"
                                                  << "none" << 8 << "15";
    QTest::newRow("inner minus dropped") << 0 << 0 << 0 << "12-3"
                                         << "enter" << 123 << "123";
    QTest::newRow("leading minus kept") << 0 << 0 << 0 << "-5"
                                        << "enter" << -5 << "-5";
    QTest::newRow("trailing minus dropped") << 0 << 0 << 0 << "5-"
                                            << "enter" << 5 << "5";
    QTest::newRow("double minus in front") << 0 << 0 << 0 << "--5"
                                           << "enter" << -5 << "-5";
    QTest::newRow("lone minus gives 0") << 0 << 0 << 4 << "-"
                                        << "enter" << 0 << "0";
    // A number too long for 32 bits does not read: it counts as 0, which
    // the limits then clamp.
    QTest::newRow("beyond 32 bits, no limits") << 0 << 0 << 4 << "99999999999"
                                               << "enter" << 0 << "0";
    QTest::newRow("beyond 32 bits, subnet bits") << 1 << 22 << 8 << "99999999999"
                                                 << "enter" << 1 << "1";
    QTest::newRow("beyond 32 bits, packet size") << 0 << INT_MAX << 512 << "99999999999"
                                                 << "leave" << 0 << "0";
    QTest::newRow("below 32 bits") << -100 << 100 << 8 << "-99999999999"
                                   << "enter" << 0 << "0";
    QTest::newRow("many leading zeros") << 0 << 0 << 4 << "000000000000042"
                                        << "enter" << 42 << "42";
    QTest::newRow("lowest 32-bit value") << 0 << 0 << 4 << "-2147483648"
                                         << "enter" << INT_MIN << "-2147483648";
    QTest::newRow("empty text keeps the value") << 1 << 22 << 8 << ""
                                                << "leave" << 8 << "8";
    QTest::newRow("empty text, Enter") << 1 << 22 << 8 << ""
                                       << "enter" << 8 << "8";
}

void TestBetterSpinEdit::typedTextCommits()
{
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(QString, commit);
    QFETCH(int, expected);
    QFETCH(QString, expectedText);

    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.setup(minValue, maxValue, start);
    f.typeOver(typed);
    QCOMPARE(f.count("changed"), 0); // never per keystroke

    if (commit == QLatin1String("enter"))
        QTest::keyClick(f.spin, Qt::Key_Return);
    else if (commit == QLatin1String("leave"))
        f.other->setFocus(Qt::TabFocusReason);

    QCOMPARE(f.spin->Value(), expected);
    QCOMPARE(f.spin->text(), expectedText);
    QCOMPARE(f.count("changed"), expected == start ? 0 : 1);
    QCOMPARE(f.count("beep"), 0); // Enter commits silently
}

void TestBetterSpinEdit::typingFilter_data()
{
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<QString>("key"); // one character, or a key name
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("beeps");

    // The text starts as "12" with the cursor at its end.
    QTest::newRow("digit") << true << "5"
                           << "125" << 0;
    QTest::newRow("minus") << true << "-"
                           << "12-" << 0;
    QTest::newRow("plus sign") << true << "+"
                               << "12" << 1;
    QTest::newRow("full stop") << true << "."
                               << "12" << 1;
    QTest::newRow("comma") << true << ","
                           << "12" << 1;
    QTest::newRow("letter") << true << "a"
                            << "12" << 1;
    QTest::newRow("blank") << true << " "
                           << "12" << 1;
    QTest::newRow("backspace") << true << "Backspace"
                               << "1" << 0;
    QTest::newRow("editor off: digit") << false << "5"
                                       << "12" << 1;
    QTest::newRow("editor off: minus") << false << "-"
                                       << "12" << 1;
    QTest::newRow("editor off: backspace") << false << "Backspace"
                                           << "12" << 1;
    QTest::newRow("editor off: delete key") << false << "Delete"
                                            << "12" << 1;
    QTest::newRow("editor off: letter") << false << "x"
                                        << "12" << 1;
    QTest::newRow("editor off: moving the cursor") << false << "Home"
                                                   << "12" << 0;
}

void TestBetterSpinEdit::typingFilter()
{
    QFETCH(bool, editorEnabled);
    QFETCH(QString, key);
    QFETCH(QString, expectedText);
    QFETCH(int, beeps);

    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 0, 12);
    f.spin->setEditorEnabled(editorEnabled);
    f.spin->end(false);
    if (key == QLatin1String("Backspace"))
        QTest::keyClick(f.spin, Qt::Key_Backspace);
    else if (key == QLatin1String("Delete")) {
        f.spin->home(false);
        QTest::keyClick(f.spin, Qt::Key_Delete);
    } else if (key == QLatin1String("Home"))
        QTest::keyClick(f.spin, Qt::Key_Home);
    else
        QTest::keyClick(f.spin, key.at(0).toLatin1());

    QCOMPARE(f.spin->text(), expectedText);
    QCOMPARE(f.count("beep"), beeps);
    QCOMPARE(f.spin->Value(), 12);
}

void TestBetterSpinEdit::autoSelectOnEntry_data()
{
    QTest::addColumn<bool>("autoSelect");
    QTest::addColumn<QString>("entry"); // "tab", "program" or "click"
    QTest::addColumn<QString>("selected");

    QTest::newRow("tabbing in") << true << "tab"
                                << "1234";
    QTest::newRow("focus set by the program") << true << "program"
                                              << "1234";
    QTest::newRow("clicking inside") << true << "click"
                                     << "";
    QTest::newRow("auto-select off") << false << "tab"
                                     << "";
}

void TestBetterSpinEdit::autoSelectOnEntry()
{
    QFETCH(bool, autoSelect);
    QFETCH(QString, entry);
    QFETCH(QString, selected);

    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 0, 1234);
    f.spin->setAutoSelect(autoSelect);
    f.other->setFocus(Qt::OtherFocusReason);
    f.spin->deselect();

    if (entry == QLatin1String("tab"))
        QTest::keyClick(f.other, Qt::Key_Backtab, Qt::ShiftModifier);
    else if (entry == QLatin1String("program"))
        f.spin->setFocus(Qt::OtherFocusReason);
    else
        QTest::mouseClick(f.spin, Qt::LeftButton, {}, QPoint(8, f.spin->height() / 2));
    QVERIFY(f.spin->hasFocus());
    QCOMPARE(f.spin->selectedText(), selected);
}

void TestBetterSpinEdit::pasteAndCutGate_data()
{
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("command"); // "paste", "shift-insert", "cut"
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedValue"); // after Enter

    QTest::newRow("paste letters, then Enter") << true << false << "paste"
                                               << "abc" << 0;
    QTest::newRow("paste digits") << true << false << "shift-insert"
                                  << "-78" << -78;
    QTest::newRow("paste refused: editor off") << false << false << "paste"
                                               << "12" << 12;
    QTest::newRow("paste refused: read-only") << true << true << "paste"
                                              << "12" << 12;
    QTest::newRow("shift-insert refused: editor off") << false << false << "shift-insert"
                                                      << "12" << 12;
    QTest::newRow("cut") << true << false << "cut"
                         << "" << 12;
    QTest::newRow("cut refused: editor off") << false << false << "cut"
                                             << "12" << 12;
}

void TestBetterSpinEdit::pasteAndCutGate()
{
    QFETCH(bool, editorEnabled);
    QFETCH(bool, readOnly);
    QFETCH(QString, command);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedValue);

    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 0, 12);
    f.spin->setEditorEnabled(editorEnabled);
    f.spin->setReadOnly(readOnly);
    QApplication::clipboard()->setText(
        command == QLatin1String("shift-insert") ? QStringLiteral("-78") : QStringLiteral("abc"));
    f.spin->selectAll();

    if (command == QLatin1String("paste"))
        QTest::keyClick(f.spin, Qt::Key_V, Qt::ControlModifier);
    else if (command == QLatin1String("shift-insert"))
        QTest::keyClick(f.spin, Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(f.spin, Qt::Key_X, Qt::ControlModifier);

    QCOMPARE(f.spin->text(), expectedText);
    QCOMPARE(f.count("beep"), 0); // refused silently
    if (command == QLatin1String("cut"))
        QCOMPARE(QApplication::clipboard()->text(),
                 expectedText.isEmpty() ? QStringLiteral("12") : QStringLiteral("abc"));
    f.spin->setReadOnly(false);
    QTest::keyClick(f.spin, Qt::Key_Return);
    QCOMPARE(f.spin->Value(), expectedValue);
}

void TestBetterSpinEdit::contextMenuFollowsTheGate_data()
{
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<bool>("pasteEnabled");

    QTest::newRow("editor on") << true << true;
    QTest::newRow("editor off") << false << false;
}

void TestBetterSpinEdit::contextMenuFollowsTheGate()
{
    QFETCH(bool, editorEnabled);
    QFETCH(bool, pasteEnabled);

    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.spin->setEditorEnabled(editorEnabled);
    QApplication::clipboard()->setText(QStringLiteral("5"));

    const QuietPlatformNotices quiet;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            f.spin->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(f.spin, &event);
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    std::unique_ptr<QMenu, void (*)(QMenu*)> closer(menu, [](QMenu* m) { m->close(); });
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    QVERIFY(paste);
    QCOMPARE(paste->isEnabled(), pasteEnabled);
}

QTEST_MAIN(TestBetterSpinEdit)

#include "tst_BetterSpinEdit.moc"
