#include "controls/Beep.h"
#include "controls/BetterSpinEdit.h"
#include "controls/SpinButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <algorithm>
#include <map>

#include <climits>
#include <cmath>
#include <memory>

namespace {

// A window with the spin edit and a second field to move the focus to;
// it records the spin edit's signals and every beep in order.
class Fixture
{
public:
    Fixture()
    {
        window.resize(200, 80);
        spin = new TBetterSpinEdit(&window);
        spin->move(10, 10);
        other = new QLineEdit(&window);
        other->move(10, 45);
        const auto record = [this](const char* name) {
            return [this, name] { events << QString::fromLatin1(name); };
        };
        QObject::connect(spin, &TBetterSpinEdit::changed, spin, record("changed"));
        QObject::connect(spin, &TBetterSpinEdit::upClicking, spin, record("upClicking"));
        QObject::connect(spin, &TBetterSpinEdit::upClicked, spin, record("upClicked"));
        QObject::connect(spin, &TBetterSpinEdit::downClicking, spin, record("downClicking"));
        QObject::connect(spin, &TBetterSpinEdit::downClicked, spin, record("downClicked"));
        previousBeep = beep::setHook([this] { events << QStringLiteral("beep"); });
    }
    ~Fixture() { beep::setHook(previousBeep); }

    bool showAndFocus()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        spin->setFocus(Qt::OtherFocusReason);
        return spin->hasFocus();
    }

    // Replaces the text the way a user does: select all, then type.
    void typeOver(const QString& text)
    {
        spin->selectAll();
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Backspace);
        else
            QTest::keyClicks(spin, text);
    }

    void setup(int minValue, int maxValue, int value)
    {
        spin->setMinValue(minValue);
        spin->setMaxValue(maxValue);
        spin->setValue(value);
        events.clear();
    }

    int count(const QString& name) const { return int(events.count(name)); }

    QWidget window;
    TBetterSpinEdit* spin;
    QLineEdit* other;
    QStringList events;
    std::function<void()> previousBeep;
};

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

// WCAG's relative luminance and contrast ratio of two colours (1 to 21).
double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour that covers most of the picture: a button's face.
QRgb mostCommonColour(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

} // namespace

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
    void steps_data();
    void steps();
    void spinButtonClickActsOnce_data();
    void spinButtonClickActsOnce();
    void heldSpinButtonRepeats();
    void spinButtonTakesTheFocus();
    void autoSelectOnEntry_data();
    void autoSelectOnEntry();
    void pasteAndCutGate_data();
    void pasteAndCutGate();
    void contextMenuFollowsTheGate_data();
    void contextMenuFollowsTheGate();
    void sizeAndButtonLayout();
    void spinButtonArrowsFollowThePalette_data();
    void spinButtonArrowsFollowThePalette();
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

    Fixture f;
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

    Fixture f;
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
    // A number too long for 32 bits is above any maximum (below any minimum),
    // not unreadable.
    QTest::newRow("beyond 32 bits, no limits") << 0 << 0 << 4 << "99999999999"
                                               << "enter" << INT_MAX << "2147483647";
    QTest::newRow("beyond 32 bits, subnet bits") << 1 << 22 << 8 << "99999999999"
                                                 << "enter" << 22 << "22";
    QTest::newRow("beyond 32 bits, packet size") << 0 << INT_MAX << 512 << "99999999999"
                                                 << "leave" << INT_MAX << "2147483647";
    QTest::newRow("below 32 bits") << -100 << 100 << 8 << "-99999999999"
                                   << "enter" << -100 << "-100";
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

    Fixture f;
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

    Fixture f;
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

void TestBetterSpinEdit::steps_data()
{
    QTest::addColumn<QString>("action"); // Up, Down, PageUp, PageDown
    QTest::addColumn<QList<int>>("limits");
    QTest::addColumn<int>("increment");
    QTest::addColumn<int>("fastIncrement");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed"); // "=" leaves the text alone
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("events");

    const QList<int> none{0, 0};
    const QList<int> percent{0, 100};
    QTest::newRow("typed text is the base of Up")
        << "Up" << percent << 1 << 10 << 5 << "7" << false << 8 << "upClicking changed upClicked";
    QTest::newRow("Down by the increment") << "Down" << none << 3 << 10 << 0 << "=" << false << -3
                                           << "downClicking changed downClicked";
    QTest::newRow("Page Down from 15") << "PageDown" << percent << 1 << 10 << 15 << "=" << false
                                       << 5 << "downClicking changed downClicked";
    QTest::newRow("Page Down from 5 stops at 0")
        << "PageDown" << percent << 1 << 10 << 5 << "=" << false << 0
        << "downClicking changed downClicked";
    QTest::newRow("Page Up stops at 100") << "PageUp" << percent << 1 << 10 << 95 << "=" << false
                                          << 100 << "upClicking changed upClicked";
    QTest::newRow("read-only beeps and keeps the value")
        << "Up" << percent << 1 << 10 << 5 << "=" << true << 5 << "upClicking beep upClicked";
    QTest::newRow("read-only Page Down") << "PageDown" << percent << 1 << 10 << 50 << "=" << true
                                         << 50 << "downClicking beep downClicked";
    QTest::newRow("at the top of 32 bits Up stays")
        << "Up" << QList<int>{0, INT_MAX} << 1 << 10 << INT_MAX << "=" << false << INT_MAX
        << "upClicking upClicked";
    QTest::newRow("without limits Up saturates")
        << "Up" << none << INT_MAX << 10 << 5 << "=" << false << INT_MAX
        << "upClicking changed upClicked";
    QTest::newRow("without limits Down saturates")
        << "PageDown" << none << 1 << INT_MAX << -5 << "=" << false << INT_MIN
        << "downClicking changed downClicked";
    QTest::newRow("negative increment steps the other way")
        << "Up" << none << -2 << 10 << 5 << "=" << false << 3 << "upClicking changed upClicked";
    QTest::newRow("landing on the committed value reports nothing")
        << "Up" << percent << 1 << 10 << 5 << "4" << false << 5 << "upClicking upClicked";
    QTest::newRow("empty text steps from the value")
        << "Up" << percent << 1 << 10 << 5 << "" << false << 6 << "upClicking changed upClicked";
    QTest::newRow("unreadable text counts as 0")
        << "Up" << none << 1 << 10 << 5 << "-" << false << 1 << "upClicking changed upClicked";
}

void TestBetterSpinEdit::steps()
{
    QFETCH(QString, action);
    QFETCH(QList<int>, limits);
    QFETCH(int, increment);
    QFETCH(int, fastIncrement);
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(bool, readOnly);
    QFETCH(int, expected);
    QFETCH(QString, events);

    Fixture f;
    QVERIFY(f.showAndFocus());
    f.setup(limits[0], limits[1], start);
    f.spin->setIncrement(increment);
    f.spin->setFastIncrement(fastIncrement);
    if (typed != QLatin1String("="))
        f.typeOver(typed);
    f.spin->setReadOnly(readOnly);

    const Qt::Key key = action == QLatin1String("Up")       ? Qt::Key_Up
                        : action == QLatin1String("Down")   ? Qt::Key_Down
                        : action == QLatin1String("PageUp") ? Qt::Key_PageUp
                                                            : Qt::Key_PageDown;
    QTest::keyClick(f.spin, key);

    QCOMPARE(f.spin->Value(), expected);
    QCOMPARE(f.spin->text(), readOnly ? QString::number(start) : QString::number(expected));
    QCOMPARE(f.events.join(QLatin1Char(' ')), events);
}

void TestBetterSpinEdit::spinButtonClickActsOnce_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<int>("expected");

    QTest::newRow("upper half") << true << 6;
    QTest::newRow("lower half") << false << 4;
}

void TestBetterSpinEdit::spinButtonClickActsOnce()
{
    QFETCH(bool, upper);
    QFETCH(int, expected);

    Fixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 100, 5);
    QAbstractButton* half =
        upper ? f.spin->SpinButton()->upButton() : f.spin->SpinButton()->downButton();

    // Nothing happens on the press itself, one step on the release.
    QTest::mousePress(half, Qt::LeftButton);
    QCOMPARE(f.spin->Value(), 5);
    QTest::mouseRelease(half, Qt::LeftButton);
    QCOMPARE(f.spin->Value(), expected);
    const QString dir = upper ? QStringLiteral("up") : QStringLiteral("down");
    QCOMPARE(f.events.join(QLatin1Char(' ')),
             QStringLiteral("%1Clicking changed %1Clicked").arg(dir));

    // Released away from the half, a press does nothing.
    f.events.clear();
    QTest::mousePress(half, Qt::LeftButton);
    QTest::mouseRelease(half, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(f.spin->Value(), expected);
    QVERIFY(f.events.isEmpty());
}

void TestBetterSpinEdit::heldSpinButtonRepeats()
{
    Fixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 1000, 0);
    QAbstractButton* half = f.spin->SpinButton()->upButton();

    // Held for 650 ms: repeats at about 400, 500 and 600 ms, then one more on
    // release. Timers and the wait itself may run late on a busy machine,
    // never early, so only the bounds are firm.
    QTest::mousePress(half, Qt::LeftButton);
    QTest::qWait(650);
    const int whileHeld = f.spin->Value();
    QTest::mouseRelease(half, Qt::LeftButton);
    QVERIFY2(whileHeld >= 1 && whileHeld <= 4, qPrintable(QString::number(whileHeld)));
    QCOMPARE(f.spin->Value(), whileHeld + 1);

    // No repeat comes after the release.
    QTest::qWait(250);
    QCOMPARE(f.spin->Value(), whileHeld + 1);
}

void TestBetterSpinEdit::spinButtonTakesTheFocus()
{
    Fixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 100, 42);
    f.other->setFocus(Qt::TabFocusReason);
    QVERIFY(!f.spin->hasFocus());

    QTest::mouseClick(f.spin->SpinButton()->upButton(), Qt::LeftButton);
    QVERIFY(f.spin->hasFocus());
    QCOMPARE(f.spin->Value(), 43);
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

    Fixture f;
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

    Fixture f;
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

    Fixture f;
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

void TestBetterSpinEdit::sizeAndButtonLayout()
{
    Fixture f;
    TBetterSpinEdit& spin = *f.spin;
    QCOMPARE(spin.text(), QStringLiteral("0"));
    QCOMPARE(spin.width(), 65);

    spin.resize(20, 2);
    QCOMPARE(spin.width(), TBetterSpinEdit::MinimumWidth);
    QVERIFY(spin.height() > spin.fontMetrics().height());

    // The button sits inside the frame at the right edge, as tall as the
    // inside, and the text stops short of it.
    spin.resize(80, 40);
    QVERIFY(f.showAndFocus());
    QStyleOptionFrame opt;
    opt.initFrom(&spin);
    const int border = spin.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &spin);
    const QRect button = spin.SpinButton()->geometry();
    QCOMPARE(button, QRect(80 - border - 15, border, 15, 40 - 2 * border));
    QVERIFY(spin.textMargins().right() >= 15);
}

void TestBetterSpinEdit::spinButtonArrowsFollowThePalette_data()
{
    QTest::addColumn<QPalette>("palette");

    QTest::newRow("light") << QPalette(QColor(0xF0, 0xF0, 0xF0));
    // Colours of a typical dark desktop theme.
    QPalette dark(QColor(0x31, 0x36, 0x3B), QColor(0x2A, 0x2E, 0x32));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(0xEF, 0xF0, 0xF1));
    dark.setColor(QPalette::Base, QColor(0x23, 0x26, 0x29));
    QTest::newRow("dark") << dark;
}

// Each half's arrow stands out from the face it is drawn on, however dark
// the face is: at least the 3 : 1 contrast that a control's graphics need.
void TestBetterSpinEdit::spinButtonArrowsFollowThePalette()
{
    QFETCH(QPalette, palette);

    TSpinButton button;
    button.setPalette(palette);
    button.resize(15, 17);
    for (QAbstractButton* half : {button.upButton(), button.downButton()}) {
        const QImage picture = half->grab().toImage();
        const QRgb face = mostCommonColour(picture);
        int arrowPixels = 0;
        for (int y = 2; y < picture.height() - 2; ++y) {
            for (int x = 2; x < picture.width() - 2; ++x) {
                if (contrast(picture.pixel(x, y), face) >= 3.0)
                    ++arrowPixels;
            }
        }
        // The smallest arrow, a triangle three pixels high, has nine.
        QVERIFY2(arrowPixels >= 9, qPrintable(QStringLiteral("%1: %2 arrow pixels on %3")
                                                  .arg(half->accessibleName())
                                                  .arg(arrowPixels)
                                                  .arg(QColor(face).name())));
    }
}

QTEST_MAIN(TestBetterSpinEdit)

#include "tst_BetterSpinEdit.moc"
