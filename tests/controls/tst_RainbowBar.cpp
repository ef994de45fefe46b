#include "controls/RainbowBar.h"
#include "core/Errors.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

// Expected colours down the bar: [first row, end row) -> stripe index, or -1
// for the bar's own background.
struct Band
{
    int from;
    int to;
    int stripe;
};

} // namespace

Q_DECLARE_METATYPE(QList<Band>)

class TestRainbowBar : public QObject
{
    Q_OBJECT

private slots:
    void constructedState();
    void numStripes_data();
    void numStripes();
    void resetLeavesUnusedStripesAlone();
    void stripesIndex_data();
    void stripesIndex();
    void stripeWritesNotifyOnRealChange_data();
    void stripeWritesNotifyOnRealChange();
    void stripeHeights_data();
    void stripeHeights();
    void captionOnTopAndNoPaintingSignal();
};

void TestRainbowBar::constructedState()
{
    TRainbowBar bar;
    QCOMPARE(bar.size(), QSize(81, 185));
    QCOMPARE(bar.NumStripes(), 5);
    QCOMPARE(bar.BevelOuter(), TRainbowBar::bvNone);
    QCOMPARE(bar.BorderStyle(), TRainbowBar::bsSingle);
    QCOMPARE(bar.Color(), bar.palette().color(QPalette::Base));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(bar.Stripes(i)->Color(), TRainbowBar::stripeColors()[size_t(i)]);
        QCOMPARE(bar.Stripes(i)->Value(), 0.2f);
    }
    QCOMPARE(bar.Stripes(5)->Value(), 0.0f);
}

void TestRainbowBar::numStripes_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("reset");

    QTest::newRow("zero becomes one") << 0 << 1 << true;
    QTest::newRow("negative becomes one") << -3 << 1 << true;
    QTest::newRow("200 becomes 16") << 200 << 16 << true;
    QTest::newRow("sixteen") << 16 << 16 << true;
    QTest::newRow("four") << 4 << 4 << true;
    QTest::newRow("the current count: no reset") << 5 << 5 << false;
}

void TestRainbowBar::numStripes()
{
    QFETCH(int, written);
    QFETCH(int, expected);
    QFETCH(bool, reset);

    TRainbowBar bar;
    // A caller's own colours and values, which only a reset replaces.
    bar.Stripes(0)->setColor(Qt::darkCyan);
    bar.Stripes(0)->setValue(0.9f);
    int changes = 0;
    connect(&bar, &TRainbowBar::changed, this, [&] { ++changes; });

    bar.setNumStripes(written);
    QCOMPARE(bar.NumStripes(), expected);
    QCOMPARE(changes, reset ? 1 : 0);
    if (reset) {
        const float share = 1.0f / float(expected);
        for (int i = 0; i < expected; ++i) {
            QCOMPARE(bar.Stripes(i)->Color(), TRainbowBar::stripeColors()[size_t(i)]);
            QCOMPARE(bar.Stripes(i)->Value(), share);
        }
    } else {
        QCOMPARE(bar.Stripes(0)->Color(), QColor(Qt::darkCyan));
        QCOMPARE(bar.Stripes(0)->Value(), 0.9f);
    }
}

void TestRainbowBar::resetLeavesUnusedStripesAlone()
{
    TRainbowBar bar;
    bar.setNumStripes(16);
    bar.Stripes(4)->setValue(0.7f);
    bar.Stripes(15)->setColor(Qt::darkRed);

    bar.setNumStripes(4);
    const QList<QColor> firstFour{Qt::red, Qt::yellow, QColor(0, 255, 0), Qt::blue};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(bar.Stripes(i)->Color(), firstFour[i]);
        QCOMPARE(bar.Stripes(i)->Value(), 0.25f);
    }
    QCOMPARE(bar.Stripes(4)->Value(), 0.7f);
    QCOMPARE(bar.Stripes(4)->Color(), QColor(128, 0, 128));
    QCOMPARE(bar.Stripes(15)->Color(), QColor(Qt::darkRed));
}

void TestRainbowBar::stripesIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("error"); // empty: valid

    QTest::newRow("first") << 0 << QString();
    QTest::newRow("last, beyond NumStripes") << 15 << QString();
    QTest::newRow("sixteen") << 16 << "Stripes Index Out of Bounds: 16";
    QTest::newRow("255") << 255 << "Stripes Index Out of Bounds: 255";
    QTest::newRow("negative") << -1 << "Stripes Index Out of Bounds: -1";
}

void TestRainbowBar::stripesIndex()
{
    QFETCH(int, index);
    QFETCH(QString, error);

    TRainbowBar bar;
    QString message;
    TRainbowStripe* stripe = nullptr;
    try {
        stripe = bar.Stripes(index);
    } catch (const EZentrixError& e) {
        message = QString::fromStdString(e.what());
    }
    QCOMPARE(message, error);
    QCOMPARE(stripe != nullptr, error.isEmpty());
}

void TestRainbowBar::stripeWritesNotifyOnRealChange_data()
{
    QTest::addColumn<int>("stripe");
    QTest::addColumn<float>("value");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("changes");

    // Stripe 0 holds red and 0.2 after construction.
    QTest::newRow("equal value and colour") << 0 << 0.2f << QColor(Qt::red) << 0;
    QTest::newRow("new value") << 0 << 0.5f << QColor(Qt::red) << 1;
    QTest::newRow("new colour") << 0 << 0.2f << QColor(Qt::blue) << 1;
    QTest::newRow("both new") << 0 << 0.5f << QColor(Qt::blue) << 2;
    QTest::newRow("unused stripe still notifies") << 9 << 0.5f << QColor(Qt::black) << 1;
}

void TestRainbowBar::stripeWritesNotifyOnRealChange()
{
    QFETCH(int, stripe);
    QFETCH(float, value);
    QFETCH(QColor, color);
    QFETCH(int, changes);

    TRainbowBar bar;
    int seen = 0;
    connect(&bar, &TRainbowBar::changed, this, [&] { ++seen; });
    bar.Stripes(stripe)->setValue(value);
    bar.Stripes(stripe)->setColor(color);
    QCOMPARE(seen, changes);
}

void TestRainbowBar::stripeHeights_data()
{
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<QList<float>>("values");
    QTest::addColumn<QList<Band>>("bands");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // B = 100 + 2 = 102: 51 rows each, the second cut off at the bottom.
    QTest::newRow("two halves") << 100 << QList<float>{0.5f, 0.5f}
                                << QList<Band>{{0, 51, 0}, {51, 100, 1}};
    // 102 x 0.25 = 25.5 rounds to 26.
    QTest::newRow("25.5 rounds up to even")
        << 100 << QList<float>{0.25f, 0.25f} << QList<Band>{{0, 26, 0}, {26, 52, 1}, {52, 100, -1}};
    // B = 100 + 1 = 101: 50.5 rounds down to 50.
    QTest::newRow("50.5 rounds down to even")
        << 100 << QList<float>{0.5f} << QList<Band>{{0, 50, 0}, {50, 100, -1}};
    QTest::newRow("zero stripe takes no room")
        << 100 << QList<float>{0.5f, 0.0f, 0.5f} << QList<Band>{{0, 52, 0}, {52, 100, 2}};
    QTest::newRow("negative and non-finite take no room")
        << 100 << QList<float>{-0.5f, nan, inf, -inf, 0.25f}
        << QList<Band>{{0, 26, 4}, {26, 100, -1}};
    QTest::newRow("huge share fills the bar")
        << 60 << QList<float>{1e30f, 0.5f} << QList<Band>{{0, 60, 0}};
    QTest::newRow("all zero: background only")
        << 60 << QList<float>{0.0f, 0.0f, 0.0f} << QList<Band>{{0, 60, -1}};
}

void TestRainbowBar::stripeHeights()
{
    QFETCH(int, clientHeight);
    QFETCH(QList<float>, values);
    QFETCH(QList<Band>, bands);

    TRainbowBar bar;
    const int border = 2; // the sunken window border on each side
    bar.resize(20 + 2 * border, clientHeight + 2 * border);
    bar.setNumStripes(int(values.size()));
    for (int i = 0; i < values.size(); ++i)
        bar.Stripes(i)->setValue(values[i]);
    const QImage image = bar.grab().toImage();

    for (const Band& band : bands)
        for (int row = band.from; row < band.to; ++row) {
            const QColor expected =
                band.stripe < 0 ? bar.Color() : bar.Stripes(band.stripe)->Color();
            for (int col : {0, 19}) {
                const QColor actual = image.pixelColor(border + col, border + row);
                QVERIFY2(actual == expected, qPrintable(QStringLiteral("row %1 col %2: %3, not %4")
                                                            .arg(row)
                                                            .arg(col)
                                                            .arg(actual.name(), expected.name())));
            }
        }
    // The window border is never painted over.
    QCOMPARE(image.pixelColor(border + 5, bar.height() - 1), bar.palette().color(QPalette::Light));
}

void TestRainbowBar::captionOnTopAndNoPaintingSignal()
{
    TRainbowBar bar;
    bar.resize(60, 40);
    bar.setNumStripes(1);
    bar.Stripes(0)->setValue(1.0f);
    int emitted = 0;
    connect(&bar, &TRainbowBar::painting, this, [&] { ++emitted; });
    const QImage plain = bar.grab().toImage();

    bar.setCaption(QStringLiteral("MMM"));
    const QImage captioned = bar.grab().toImage();
    bool textDrawn = false;
    const QRect r = bar.captionRect();
    for (int y = r.top(); y <= r.bottom() && !textDrawn; ++y)
        for (int x = r.left(); x <= r.right() && !textDrawn; ++x)
            textDrawn = captioned.pixelColor(x, y) != plain.pixelColor(x, y);
    QVERIFY(textDrawn);
    QCOMPARE(plain.pixelColor(r.center()), QColor(Qt::red));
    QCOMPARE(emitted, 0);
}

QTEST_MAIN(TestRainbowBar)

#include "tst_RainbowBar.moc"
