// The latency calculator's statistics table and graphs, on chains built in
// the setup editor through the real main window.

#include "controls/QorvelPanels.h"
#include "controls/RainbowBar.h"
#include "controls/SpeedButton.h"
#include "controls/SuperStringGrid.h"
#include "tests/support/LatencyDriver.h"

#include <QClipboard>
#include <QLabel>
#include <QTextDocument>

class TestLatencyViews : public QObject, LatencyDriver
{
    Q_OBJECT

private slots:
    void init() { start("LatencyCalculator1"); }
    void cleanup() { finish(); }

    void statisticsOfExample_data();
    void statisticsOfExample();
    void directionChoiceDoesNotRecompute();
    void nothingToShare();
    void packetSizesOverflow();
    void fullChainTable();
    void editCopyFollowsTheTab();
    void editCopyAfterAnOverflow_data();
    void editCopyAfterAnOverflow();

    void legend_data();
    void legend();
    void barsFollowShares();
    void fewerElementsResetStripes();
    void graphsPicture();
    void namesShownAsTyped_data();
    void namesShownAsTyped();

private:
    void buildExample();
    QStringList tableText();
    TRainbowBar* bar(const char* name) const;
    QLabel* legendLabel(const char* colour) const;
    QWidget* legendSwatch(const char* colour) const;
};

// Node A (64 bytes, 10 ms), a 10 Mbps Ethernet, a T1 with its 5 ms and
// node B (1024 bytes, 20 ms).
void TestLatencyViews::buildExample()
{
    setNode(0, 10, 64);
    setNetwork(1, "Ethernet");
    press(nodeB());
    setNetwork(insert(), "T1");
    setNode(nodeB(), 20, 1024);
    QCOMPARE(calc()->chain().count(), 4);
}

// The whole table as the copy button puts it on the clipboard, one line a row.
QStringList TestLatencyViews::tableText()
{
    TSuperStringGrid* table = statsGrid();
    table->setSelection({0, 1, 2, table->RowCount() - 1});
    calc()->findChild<TSpeedButton*>("CopyLatencyStatsButton")->click();
    QStringList lines = QGuiApplication::clipboard()->text().split("\r\n");
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TRainbowBar* TestLatencyViews::bar(const char* name) const
{
    return calc()->findChild<TRainbowBar*>(QString::fromLatin1(name));
}

QLabel* TestLatencyViews::legendLabel(const char* colour) const
{
    return calc()->findChild<QLabel*>(QString::fromLatin1(colour) + "Label");
}

QWidget* TestLatencyViews::legendSwatch(const char* colour) const
{
    return calc()->findChild<QWidget*>(QString::fromLatin1(colour) + "Panel");
}

void TestLatencyViews::statisticsOfExample_data()
{
    QTest::addColumn<QString>("direction");
    QTest::addColumn<QStringList>("expected");

    const QString header = "Network Element\tDelay (sec)\tPercent";
    QTest::newRow("A to B") << "PacketDirAtoB"
                            << QStringList{header,
                                           "Node A (64 bytes)\t0.0100000\t64.9%",
                                           "Ethernet (10 Mbps)\t0.0000672\t0.4%",
                                           "T1 (1.544 Mbps)\t0.0053316\t34.6%",
                                           "Node B (1024 bytes)\t0.0000000\t0.0%",
                                           "Totals:\t0.0153988\t100.0%"};
    QTest::newRow("B to A") << "PacketDirBtoA"
                            << QStringList{header,
                                           "Node A (64 bytes)\t0.0000000\t0.0%",
                                           "Ethernet (10 Mbps)\t0.0008352\t2.7%",
                                           "T1 (1.544 Mbps)\t0.0103057\t33.1%",
                                           "Node B (1024 bytes)\t0.0200000\t64.2%",
                                           "Totals:\t0.0311409\t100.0%"};
    QTest::newRow("round trip") << "PacketDirRoundTrip"
                                << QStringList{header,
                                               "Node A (64 bytes)\t0.0100000\t24.1%",
                                               "Ethernet (10 Mbps)\t0.0009024\t2.2%",
                                               "T1 (1.544 Mbps)\t0.0106373\t25.6%",
                                               "Node B (1024 bytes)\t0.0200000\t48.1%",
                                               "Totals:\t0.0415397\t100.0%"};
}

void TestLatencyViews::statisticsOfExample()
{
    QFETCH(QString, direction);
    QFETCH(QStringList, expected);
    buildExample();
    showPage(1);
    chooseDirection(qPrintable(direction));
    QCOMPARE(statsGrid()->RowCount(), 6);
    QCOMPARE(tableText(), expected);
}

void TestLatencyViews::directionChoiceDoesNotRecompute()
{
    buildExample();
    showPage(1);
    QVERIFY(!calc()->latencyStale());
    // A value changed behind the calculator's back stays unseen until
    // something that affects the latencies happens.
    {
        const QSignalBlocker unseen(calc()->chain());
        TNetworkElement nodeA = calc()->chain().nodeA();
        nodeA.ProcessTime = 500;
        calc()->chain().setElement(0, nodeA);
    }
    chooseDirection("PacketDirRoundTrip");
    QCOMPARE(statsGrid()->Cells(1, 5), QString("0.0415397"));

    showPage(0);
    setNode(nodeB(), 20, 1024);
    QVERIFY(calc()->latencyStale());
    showPage(1);
    QCOMPARE(statsGrid()->Cells(1, 1), QString("0.5000000"));
    QVERIFY(!calc()->latencyStale());
}

void TestLatencyViews::nothingToShare()
{
    // The first-run layout has no delay anywhere.
    showPage(1);
    const QStringList lines = tableText();
    QCOMPARE(lines.size(), 5);
    for (int row = 1; row <= 3; ++row)
        QVERIFY2(lines[row].endsWith("\t0.0000000\t0.0%"), qPrintable(lines[row]));
    QCOMPARE(lines[4], QString("Totals:\t0.0000000\t100.0%"));
}

void TestLatencyViews::packetSizesOverflow()
{
    buildExample();
    showPage(1);
    showPage(0);
    setNode(0, 10, 2147483647);
    showPage(1);
    QCOMPARE(MessageBoxCatcher::instance().take(), QStringList{"Integer overflow"});
    QVERIFY(calc()->latencyStale());
    QCOMPARE(calc()->totals().AtoB, 0.0f);
    // The table still shows the last figures, the elements keep theirs.
    QCOMPARE(statsGrid()->Cells(1, 5), QString("0.0153988"));
    QCOMPARE(statsGrid()->Cells(0, 1), QString("Node A (64 bytes)"));
    QCOMPARE(calc()->chain().nodeA().Latency.DelayAtoB, 0.01f);

    // An empty packet from node B makes the sum fit again.
    showPage(0);
    setNode(nodeB(), 20, 0);
    showPage(1);
    QVERIFY(!calc()->latencyStale());
    QCOMPARE(statsGrid()->Cells(0, 1), QString("Node A (2147483647 bytes)"));
}

void TestLatencyViews::fullChainTable()
{
    for (int networks = 2; networks <= 14; ++networks)
        QVERIFY(insert() > 0);
    showPage(1);
    QCOMPARE(statsGrid()->RowCount(), 18);
    QCOMPARE(statsGrid()->Cells(0, 16), QString("Node B (1024 bytes)"));
    QCOMPARE(statsGrid()->Cells(0, 17), QString("Totals:"));

    // Back to three elements: the table shrinks with the chain.
    showPage(0);
    click(button("ResetButton"));
    showPage(1);
    QCOMPARE(statsGrid()->RowCount(), 5);
    QCOMPARE(statsGrid()->Cells(0, 4), QString("Totals:"));
}

void TestLatencyViews::editCopyFollowsTheTab()
{
    QAction* copy = find<QAction>("Copy1");
    showPage(1);
    statsGrid()->setSelection({0, 4, 2, 4});
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString("Network Element\tDelay (sec)\tPercent\r\nTotals:\t0.0000000\t100.0%\r\n"));

    showPage(2);
    copy->trigger();
    QImage picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size() / picture.devicePixelRatio(),
             calc()->findChild<TCanvasPanel*>("LatencyGraphsCanvasPanel")->size());

    showPage(0);
    copy->trigger();
    picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size() / picture.devicePixelRatio(),
             calc()->findChild<TCanvasPanel*>("NetworkSetupPanel")->size());
}

void TestLatencyViews::editCopyAfterAnOverflow_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("statistics") << 1;
    QTest::newRow("graphs") << 2;
}

// A page whose figures overflow offers Edit > Copy, which still copies what
// it copied before: here the setup panel's picture.
void TestLatencyViews::editCopyAfterAnOverflow()
{
    QFETCH(int, page);
    QAction* copy = find<QAction>("Copy1");
    setNode(0, 10, 2147483647);
    showPage(page);
    QCOMPARE(MessageBoxCatcher::instance().take(), QStringList{"Integer overflow"});
    QVERIFY(copy->isEnabled());
    QGuiApplication::clipboard()->setText("untouched");
    copy->trigger();
    const QImage picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size() / picture.devicePixelRatio(),
             calc()->findChild<TCanvasPanel*>("NetworkSetupPanel")->size());
}

void TestLatencyViews::legend_data()
{
    QTest::addColumn<int>("networks");

    QTest::newRow("smallest chain") << 1;
    QTest::newRow("four networks") << 4;
    QTest::newRow("full chain: white is node B") << 14;
}

void TestLatencyViews::legend()
{
    QFETCH(int, networks);
    for (int i = 1; i < networks; ++i)
        QVERIFY(insert() > 0);
    showPage(2);

    const char* const colours[] = {"Red",    "Yellow",  "Lime",  "Blue", "Purple", "Black",
                                   "Maroon", "Green",   "Olive", "Navy", "Teal",   "Gray",
                                   "Silver", "Fuchsia", "Aqua",  "White"};
    const int elements = networks + 2;
    for (int i = 0; i < 16; ++i) {
        QLabel* label = legendLabel(colours[i]);
        QCOMPARE(label->isVisible(), i < elements);
        QCOMPARE(legendSwatch(colours[i])->isVisible(), i < elements);
        if (i < elements) {
            QCOMPARE(label->text(), qText(element(i).Hint));
            QCOMPARE(label->width(), 105);
            // The swatch shows the colour of the stripe it names.
            const QImage swatch = legendSwatch(colours[i])->grab().toImage();
            QCOMPARE(swatch.pixelColor(swatch.rect().center()),
                     TRainbowBar::stripeColors()[static_cast<size_t>(i)]);
        }
    }
    QCOMPARE(legendLabel(colours[elements - 1])->text(), QString("Node B (1024 bytes)"));
    for (const char* name : {"RainbowBarA", "RainbowBarB", "RainbowBarAB"})
        QCOMPARE(bar(name)->NumStripes(), elements);
}

void TestLatencyViews::barsFollowShares()
{
    buildExample();
    showPage(2);
    const struct
    {
        const char* bar;
        float TElementLatency::*share;
    } directions[] = {{"RainbowBarA", &TElementLatency::ShareAtoB},
                      {"RainbowBarB", &TElementLatency::ShareBtoA},
                      {"RainbowBarAB", &TElementLatency::ShareRoundTrip}};
    for (const auto& direction : directions) {
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(bar(direction.bar)->Stripes(i)->Value(), element(i).Latency.*direction.share);
        }
    }
    // Node B takes no part going to it, node A none coming back.
    QCOMPARE(bar("RainbowBarA")->Stripes(3)->Value(), 0.0f);
    QCOMPARE(bar("RainbowBarB")->Stripes(0)->Value(), 0.0f);
    QVERIFY(bar("RainbowBarA")->Stripes(0)->Value() > 0.6f);

    // Drawn: A to B starts red (node A, 64.9%), B to A starts yellow (the
    // Ethernet; node A has no height) and ends blue (node B, 64.2%).
    const QImage a = bar("RainbowBarA")->grab().toImage();
    const QImage b = bar("RainbowBarB")->grab().toImage();
    const int x = a.width() / 2;
    QCOMPARE(a.pixelColor(x, 4), QColor(Qt::red));
    QCOMPARE(a.pixelColor(x, a.height() * 9 / 10), QColor(Qt::green));
    QCOMPARE(b.pixelColor(x, 3), QColor(Qt::yellow));
    QCOMPARE(b.pixelColor(x, b.height() - 6), QColor(Qt::blue));
}

void TestLatencyViews::fewerElementsResetStripes()
{
    insert();
    insert();
    showPage(2);
    QCOMPARE(bar("RainbowBarAB")->NumStripes(), 5);
    bar("RainbowBarAB")->Stripes(1)->setColor(Qt::cyan);

    showPage(0);
    QVERIFY(calc()->chain().removeNetwork(1));
    showPage(2);
    QCOMPARE(bar("RainbowBarAB")->NumStripes(), 4);
    QCOMPARE(bar("RainbowBarAB")->Stripes(1)->Color(), QColor(Qt::yellow));
    QVERIFY(!legendLabel("Purple")->isVisible());
    QVERIFY(legendLabel("Blue")->isVisible());
}

void TestLatencyViews::graphsPicture()
{
    buildExample();
    showPage(2);
    auto* panel = calc()->findChild<TCanvasPanel*>("LatencyGraphsCanvasPanel");
    auto* copyButton = calc()->findChild<TSpeedButton*>("CopyLatencyGraphsButton");
    QGuiApplication::clipboard()->clear();
    copyButton->click();
    const QImage picture = QGuiApplication::clipboard()->image();
    QCOMPARE(picture.size(), QSize(268, 285));
    QCOMPARE(panel->size(), QSize(268, 285));
    QVERIFY(copyButton->isVisible());

    // Where the button sits the picture shows only the panel's background.
    const QImage plain = picture.scaled(panel->size());
    const QRect place = copyButton->geometry();
    for (int y = place.top(); y <= place.bottom(); ++y)
        for (int x = place.left(); x <= place.right(); ++x)
            QCOMPARE(plain.pixelColor(x, y), panel->Color());
    // The legend and the bars are in it.
    QCOMPARE(plain.pixelColor(legendSwatch("Red")->geometry().center()), QColor(Qt::red));
    QCOMPARE(plain.pixelColor(bar("RainbowBarA")->geometry().topLeft() + QPoint(19, 6)),
             QColor(Qt::red));
}

// What a user reads in a place that shows `text` in the given format.
static QString seenText(const QString& text, Qt::TextFormat format)
{
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

void TestLatencyViews::namesShownAsTyped_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("a tag") << "<b>WAN</b>";
    QTest::newRow("a tag and an entity") << "<i>R&amp;D</i>  net";
}

void TestLatencyViews::namesShownAsTyped()
{
    QFETCH(QString, name);
    openProperties(1);
    typeOver(topologyBox(), name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    clickOk();
    const QString label = name + " (0 Mbps)";
    QCOMPARE(qText(element(1).Hint), label);

    // A tooltip is read as markup when it looks like markup.
    QCOMPARE(seenText(elementButton(1)->toolTip(), Qt::AutoText), label);
    showPage(1);
    QCOMPARE(statsGrid()->Cells(0, 2), label);
    showPage(2);
    QLabel* legend = legendLabel("Yellow");
    QCOMPARE(seenText(legend->text(), legend->textFormat()), label);
}

ZENTRIX_UI_TEST_MAIN(TestLatencyViews)
#include "tst_latencyviews.moc"
