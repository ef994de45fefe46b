#include "tests/controls/SpinEditFixture.h"

#include "controls/SpinButton.h"

#include <QAbstractButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include <algorithm>
#include <map>

#include <climits>
#include <cmath>

namespace {

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

// Stepping the spin edit by keys and by its spin button, the button's
// place in the field and how its arrows are drawn.
class TestBetterSpinEditButtons : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void spinButtonClickActsOnce_data();
    void spinButtonClickActsOnce();
    void heldSpinButtonRepeats();
    void spinButtonTakesTheFocus();
    void sizeAndButtonLayout();
    void spinButtonArrowsFollowThePalette_data();
    void spinButtonArrowsFollowThePalette();
};

void TestBetterSpinEditButtons::steps_data()
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
    // The typed value is the base: the step leaves it, and says so.
    QTest::newRow("landing back on the committed value reports the step")
        << "Up" << percent << 1 << 10 << 5 << "4" << false << 5 << "upClicking changed upClicked";
    QTest::newRow("clamped onto the typed value still reports the move")
        << "Up" << QList<int>{1, 22} << 1 << 10 << 8 << "22" << false << 22
        << "upClicking changed upClicked";
    QTest::newRow("beyond 32 bits steps from 0")
        << "Up" << QList<int>{1, 22} << 1 << 10 << 8 << "99999999999" << false << 1
        << "upClicking changed upClicked";
    QTest::newRow("beyond 32 bits steps down from 0")
        << "Down" << QList<int>{1, 22} << 1 << 10 << 8 << "99999999999" << false << 1
        << "downClicking changed downClicked";
    QTest::newRow("empty text steps from the value")
        << "Up" << percent << 1 << 10 << 5 << "" << false << 6 << "upClicking changed upClicked";
    QTest::newRow("unreadable text counts as 0")
        << "Up" << none << 1 << 10 << 5 << "-" << false << 1 << "upClicking changed upClicked";
}

void TestBetterSpinEditButtons::steps()
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

    SpinEditFixture f;
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

void TestBetterSpinEditButtons::spinButtonClickActsOnce_data()
{
    QTest::addColumn<bool>("upper");
    QTest::addColumn<int>("expected");

    QTest::newRow("upper half") << true << 6;
    QTest::newRow("lower half") << false << 4;
}

void TestBetterSpinEditButtons::spinButtonClickActsOnce()
{
    QFETCH(bool, upper);
    QFETCH(int, expected);

    SpinEditFixture f;
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

void TestBetterSpinEditButtons::heldSpinButtonRepeats()
{
    SpinEditFixture f;
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

void TestBetterSpinEditButtons::spinButtonTakesTheFocus()
{
    SpinEditFixture f;
    QVERIFY(f.showAndFocus());
    f.setup(0, 100, 42);
    f.other->setFocus(Qt::TabFocusReason);
    QVERIFY(!f.spin->hasFocus());

    QTest::mouseClick(f.spin->SpinButton()->upButton(), Qt::LeftButton);
    QVERIFY(f.spin->hasFocus());
    QCOMPARE(f.spin->Value(), 43);
}

void TestBetterSpinEditButtons::sizeAndButtonLayout()
{
    SpinEditFixture f;
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

void TestBetterSpinEditButtons::spinButtonArrowsFollowThePalette_data()
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
void TestBetterSpinEditButtons::spinButtonArrowsFollowThePalette()
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

QTEST_MAIN(TestBetterSpinEditButtons)

#include "tst_BetterSpinEditButtons.moc"
