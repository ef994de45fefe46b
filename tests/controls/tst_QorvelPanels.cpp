#include "controls/QorvelPanels.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QTest>

namespace {

using Panel = TQorvelCustomPanel;

const QColor Fill(200, 200, 100);
const QColor Light(250, 250, 250);
const QColor Dark(60, 60, 60);
const QColor Ink(0, 0, 0);

// A panel with colours that tell fill, highlight, shadow and text apart.
void paintable(QWidget& w)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, Fill);
    pal.setColor(QPalette::Light, Light);
    pal.setColor(QPalette::Dark, Dark);
    pal.setColor(QPalette::WindowText, Ink);
    w.setPalette(pal);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    w.setFont(font);
}

QImage render(QWidget& w)
{
    return w.grab().toImage();
}

// The box around every pixel that differs from the fill colour, inside `area`.
QRect inkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != Fill)
                box |= QRect(x, y, 1, 1);
    return box;
}

QString str(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestQorvelPanels : public QObject
{
    Q_OBJECT

private slots:
    void innerRect_data();
    void innerRect();
    void framePixels_data();
    void framePixels();
    void captionPlacement_data();
    void captionPlacement();
    void captionIsClipped_data();
    void captionIsClipped();
    void ampersandUnderlines();
    void paintingSignal();
    void equalWritesDoNotRepaint_data();
    void equalWritesDoNotRepaint();
    void copyToClipboard_data();
    void copyToClipboard();
    void copyIncludesChildren();
};

void TestQorvelPanels::innerRect_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<bool>("windowBorder");
    QTest::addColumn<QRect>("expected"); // of a 100 x 50 panel

    QTest::newRow("lowered outer bevel")
        << int(Panel::bvLowered) << int(Panel::bvNone) << 1 << 0 << false << QRect(1, 1, 98, 48);
    QTest::newRow("no bevels, no border")
        << int(Panel::bvNone) << int(Panel::bvNone) << 1 << 0 << false << QRect(0, 0, 100, 50);
    QTest::newRow("both bevels and a border")
        << int(Panel::bvRaised) << int(Panel::bvLowered) << 2 << 3 << false << QRect(7, 7, 86, 36);
    QTest::newRow("inner bevel only")
        << int(Panel::bvNone) << int(Panel::bvRaised) << 4 << 0 << false << QRect(4, 4, 92, 42);
    QTest::newRow("window border outside the client")
        << int(Panel::bvNone) << int(Panel::bvNone) << 1 << 1 << true << QRect(3, 3, 94, 44);
}

void TestQorvelPanels::innerRect()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    QFETCH(bool, windowBorder);
    QFETCH(QRect, expected);

    Panel panel;
    panel.resize(100, 50);
    panel.setBevelOuter(Panel::TPanelBevel(outer));
    panel.setBevelInner(Panel::TPanelBevel(inner));
    panel.setBevelWidth(bevelWidth);
    panel.setBorderWidth(borderWidth);
    panel.setBorderStyle(windowBorder ? Panel::bsSingle : Panel::bsNone);
    QCOMPARE(panel.InnerRect(), expected);
    // The caption keeps the default padding of 2 on every side.
    QCOMPARE(panel.captionRect(), expected.adjusted(2, 2, -2, -2));
}

void TestQorvelPanels::framePixels_data()
{
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("bevelWidth");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QColor>>("colors");

    // Panel of 10 x 8: x 0..9, y 0..7.
    QTest::newRow("raised: light top-left, dark bottom-right")
        << int(Panel::bvRaised) << int(Panel::bvNone) << 1 << 0
        << QList<QPoint>{{0, 0}, {8, 0}, {0, 6}, {9, 0}, {0, 7}, {9, 7}, {1, 1}, {8, 6}}
        << QList<QColor>{Light, Light, Light, Dark, Dark, Dark, Fill, Fill};
    QTest::newRow("lowered: colours swapped")
        << int(Panel::bvLowered) << int(Panel::bvNone) << 1 << 0
        << QList<QPoint>{{0, 0}, {9, 0}, {0, 7}, {9, 7}, {1, 1}}
        << QList<QColor>{Dark, Light, Light, Light, Fill};
    QTest::newRow("two pixels wide")
        << int(Panel::bvRaised) << int(Panel::bvNone) << 2 << 0
        << QList<QPoint>{{1, 1}, {8, 6}, {2, 2}, {7, 5}} << QList<QColor>{Light, Dark, Fill, Fill};
    QTest::newRow("border between the bevels")
        << int(Panel::bvRaised) << int(Panel::bvLowered) << 1 << 1
        << QList<QPoint>{{0, 0}, {1, 1}, {8, 6}, {2, 2}, {7, 5}, {3, 3}}
        << QList<QColor>{Light, Fill, Fill, Dark, Light, Fill};
    QTest::newRow("no bevel: all fill")
        << int(Panel::bvNone) << int(Panel::bvNone) << 1 << 0 << QList<QPoint>{{0, 0}, {9, 7}}
        << QList<QColor>{Fill, Fill};
    QTest::newRow("frames wider than the panel")
        << int(Panel::bvRaised) << int(Panel::bvRaised) << 9 << 9 << QList<QPoint>{{0, 0}, {9, 7}}
        << QList<QColor>{Light, Dark};
}

void TestQorvelPanels::framePixels()
{
    QFETCH(int, outer);
    QFETCH(int, inner);
    QFETCH(int, bevelWidth);
    QFETCH(int, borderWidth);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QColor>, colors);

    TCanvasPanel panel;
    paintable(panel);
    panel.resize(10, 8);
    panel.setBevelOuter(Panel::TPanelBevel(outer));
    panel.setBevelInner(Panel::TPanelBevel(inner));
    panel.setBevelWidth(bevelWidth);
    panel.setBorderWidth(borderWidth);
    const QImage image = render(panel);
    for (int i = 0; i < points.size(); ++i)
        QVERIFY2(image.pixelColor(points[i]) == colors[i],
                 qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")
                                .arg(points[i].x())
                                .arg(points[i].y())
                                .arg(image.pixelColor(points[i]).name(), colors[i].name())));
}

void TestQorvelPanels::captionPlacement_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("vertical");

    for (int h : {int(Panel::taLeftJustify), int(Panel::taCenter), int(Panel::taRightJustify)})
        for (int v : {int(Panel::vaTop), int(Panel::vaCenter), int(Panel::vaBottom)})
            QTest::addRow("h%d v%d", h, v) << h << v;
}

void TestQorvelPanels::captionPlacement()
{
    QFETCH(int, alignment);
    QFETCH(int, vertical);

    // No bevels and no border: the caption rectangle is the panel less 2.
    TCanvasPanel panel;
    paintable(panel);
    panel.resize(160, 60);
    panel.setBevelOuter(Panel::bvNone);
    panel.setCaption(QStringLiteral("HIH"));
    panel.setAlignment(Panel::TAlignment(alignment));
    panel.setVerticalAlignment(Panel::TVerticalAlignment(vertical));
    const QRect rect(2, 2, 156, 56);
    QCOMPARE(panel.captionRect(), rect);

    const QImage image = render(panel);
    const QRect ink = inkBox(image, panel.rect());
    QVERIFY(!ink.isEmpty());
    QVERIFY2(rect.contains(ink), qPrintable(str(ink)));

    // Ink lies against the side it is aligned to, within the glyphs'
    // own bearings and line spacing.
    const int slack = 3;
    const int lineSlack = panel.fontMetrics().height() / 2;
    if (alignment == Panel::taLeftJustify)
        QVERIFY2(ink.left() - rect.left() <= slack, qPrintable(str(ink)));
    else if (alignment == Panel::taRightJustify)
        QVERIFY2(rect.right() - ink.right() <= slack, qPrintable(str(ink)));
    else
        QVERIFY2(qAbs(ink.center().x() - rect.center().x()) <= slack, qPrintable(str(ink)));
    if (vertical == Panel::vaTop)
        QVERIFY2(ink.top() - rect.top() <= lineSlack, qPrintable(str(ink)));
    else if (vertical == Panel::vaBottom)
        QVERIFY2(rect.bottom() - ink.bottom() <= lineSlack, qPrintable(str(ink)));
    else
        QVERIFY2(qAbs(ink.center().y() - rect.center().y()) <= lineSlack / 2, qPrintable(str(ink)));
}

void TestQorvelPanels::captionIsClipped_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("alignment");

    QTest::newRow("too wide, left") << QSize(40, 40) << int(Panel::taLeftJustify);
    QTest::newRow("too wide, centred") << QSize(40, 40) << int(Panel::taCenter);
    QTest::newRow("too low") << QSize(300, 10) << int(Panel::taLeftJustify);
}

void TestQorvelPanels::captionIsClipped()
{
    QFETCH(QSize, size);
    QFETCH(int, alignment);

    TCanvasPanel panel;
    paintable(panel);
    panel.resize(size);
    panel.setBevelOuter(Panel::bvNone);
    panel.setAlignment(Panel::TAlignment(alignment));
    panel.setCaption(QStringLiteral("A caption far wider than its panel"));
    const QImage image = render(panel);
    const QRect ink = inkBox(image, panel.rect());
    QVERIFY(!ink.isEmpty());
    QVERIFY2(panel.captionRect().contains(ink), qPrintable(str(ink)));
}

void TestQorvelPanels::ampersandUnderlines()
{
    const auto inkOf = [](const QString& caption) {
        TCanvasPanel panel;
        paintable(panel);
        panel.resize(80, 40);
        panel.setBevelOuter(Panel::bvNone);
        panel.setAlignment(Panel::taLeftJustify);
        panel.setCaption(caption);
        const QImage image = render(panel);
        return inkBox(image, panel.rect());
    };
    const QRect plain = inkOf(QStringLiteral("W"));
    const QRect marked = inkOf(QStringLiteral("&W"));
    // The ampersand itself is not drawn: the letter starts where it would alone...
    QCOMPARE(marked.left(), plain.left());
    // ...and an underline runs below it.
    QVERIFY2(marked.bottom() > plain.bottom(), qPrintable(str(plain) + str(marked)));
}

void TestQorvelPanels::paintingSignal()
{
    TCanvasPanel panel;
    paintable(panel);
    panel.resize(60, 30);
    panel.setCaption(QStringLiteral("X"));
    int emitted = 0;
    // The handler covers the whole panel: it must come after background and caption.
    connect(&panel, &Panel::painting, this, [&](QPainter* canvas) {
        ++emitted;
        canvas->fillRect(panel.rect(), Qt::blue);
    });
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    PaintCounter paints(&panel);

    emitted = 0;
    QImage image = render(panel);
    QCOMPARE(emitted, 1);
    QCOMPARE(inkBox(image, panel.rect()), panel.rect()); // all blue, caption included
    QCOMPARE(image.pixelColor(30, 15), QColor(Qt::blue));

    // PaintPanel repaints without the signal, whatever GenerateOnPaint says.
    paints.count = 0;
    panel.PaintPanel();
    QCOMPARE(paints.count, 1);
    QCOMPARE(emitted, 1);

    panel.setGenerateOnPaint(false);
    image = render(panel);
    QCOMPARE(emitted, 1);
    QCOMPARE(image.pixelColor(1, 1), Fill);

    panel.setGenerateOnPaint(true);
    panel.repaint();
    QCOMPARE(emitted, 2);
}

void TestQorvelPanels::equalWritesDoNotRepaint_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("other");

    QTest::newRow("CaptionPadding") << "CaptionPadding" << QVariant(5);
    QTest::newRow("VerticalCaptionPadding") << "VerticalCaptionPadding" << QVariant(5);
    QTest::newRow("VerticalAlignment") << "VerticalAlignment" << QVariant::fromValue(Panel::vaTop);
    QTest::newRow("Alignment") << "Alignment" << QVariant::fromValue(Panel::taRightJustify);
    QTest::newRow("BevelOuter") << "BevelOuter" << QVariant::fromValue(Panel::bvRaised);
    QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("new"));
    QTest::newRow("Color") << "Color" << QVariant(QColor(Qt::red));
}

void TestQorvelPanels::equalWritesDoNotRepaint()
{
    QFETCH(QString, property);
    QFETCH(QVariant, other);

    TCanvasPanel panel;
    panel.setCaption(QStringLiteral("caption"));
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QApplication::processEvents();
    PaintCounter paints(&panel);
    const QByteArray name = property.toLatin1();

    QVERIFY(panel.setProperty(name, panel.property(name)));
    QApplication::processEvents();
    QCOMPARE(paints.count, 0);

    QVERIFY(panel.setProperty(name, other));
    QApplication::processEvents();
    QVERIFY(paints.count >= 1);
}

void TestQorvelPanels::copyToClipboard_data()
{
    QTest::addColumn<QRect>("rect");

    QTest::newRow("client rectangle") << QRect(0, 0, 50, 30);
    QTest::newRow("part of it") << QRect(5, 4, 20, 10);
    QTest::newRow("reaching outside") << QRect(40, 20, 30, 30);
    QTest::newRow("empty") << QRect(10, 10, 0, 0);
}

void TestQorvelPanels::copyToClipboard()
{
    QFETCH(QRect, rect);

    TCanvasPanel panel;
    paintable(panel);
    panel.resize(50, 30);
    panel.setBevelOuter(Panel::bvRaised);
    panel.setCaption(QStringLiteral("Graph"));
    const QImage shown = render(panel);

    panel.CopyToClipboard(rect);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), rect.size());
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) {
            const QPoint at = rect.topLeft() + QPoint(x, y);
            const QColor expected = panel.rect().contains(at) ? shown.pixelColor(at) : Fill;
            QCOMPARE(copied.pixelColor(x, y), expected);
        }
}

void TestQorvelPanels::copyIncludesChildren()
{
    TCanvasPanel panel;
    paintable(panel);
    panel.resize(60, 40);
    QWidget child(&panel);
    child.setGeometry(10, 10, 20, 10);
    child.setAutoFillBackground(true);
    QPalette pal = child.palette();
    pal.setColor(QPalette::Window, Qt::red);
    child.setPalette(pal);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    panel.CopyToClipboard(panel.rect());
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.pixelColor(15, 15), QColor(Qt::red));
    QCOMPARE(copied.pixelColor(40, 30), Fill);
}

QTEST_MAIN(TestQorvelPanels)

#include "tst_QorvelPanels.moc"
