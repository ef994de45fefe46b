// The path-performance window as a user works it: it follows the latency
// calculator's chain, a stack is built, undone and laid on the figures,
// figures are typed in and refused, the plot is copied and saved, and the
// inputs come back in the next run. The figures of worked paths are
// compared with what was worked out by hand.

#include "tests/performance/PathDriver.h"
#include "tests/support/UiFixture.h"

#include "performance/RatePlot.h"
#include "performance/RememberedPath.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

const QStringList everyFigure = {
    "inner_mtu",     "mss_ipv4",      "mss_ipv6",      "segment_payload", "wire_bytes",
    "efficiency",    "goodput",       "packet_rate",   "window_rate",     "loss_rate",
    "achievable",    "binding",       "bdp",           "window_to_fill",  "window_shift",
    "window_in_use", "transfer_time", "parallel_flows"};

} // namespace

class TestPathWindow : public QObject, PathDriver
{
    Q_OBJECT

private slots:
    void init() { startPath(); }
    void cleanup() { finish(); }

    // The same paths the command line is checked with: steps, then every
    // figure as the window shows it, worked out by hand.
    void workedPaths_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");

        // The README's chain: node A 64 bytes and 10 ms, Ethernet 10 Mbit/s,
        // T1 1.544 Mbit/s with 5 ms, node B 1024 bytes and 20 ms. The T1 is
        // the bottleneck and the round trip is 41.5397 ms. 1460 of 1538
        // bytes on the wire are data (94.93%): 1.544 x 1460 / 1538 = 1.466
        // Mbit/s, 1.544e6 / 12304 = 125 frames a second. 65,535 bytes a
        // round trip allow 524,280 / 0.0415397 = 12.62 Mbit/s, so the
        // bottleneck binds and one flow is enough. 1.544 x 41.5397 x 125 =
        // 8,017.16 bytes, 64,137 bits; 1 GB takes 8e9 / 1.4657e6 = 5,458 s.
        QTest::newRow("the README's chain") << QStringList{"chain"}
                                            << QStringList{"inner_mtu=1,500 bytes",
                                                           "mss_ipv4=1,460 bytes",
                                                           "mss_ipv6=1,440 bytes",
                                                           "segment_payload=1,460 bytes",
                                                           "wire_bytes=1,538 bytes",
                                                           "efficiency=94.93%",
                                                           "goodput=1.466 Mbit/s",
                                                           "packet_rate=125 packets/s",
                                                           "window_rate=12.62 Mbit/s",
                                                           "loss_rate=no loss given",
                                                           "achievable=1.466 Mbit/s",
                                                           "binding=bottleneck",
                                                           "bdp=8,017.16 bytes (64,137 bits)",
                                                           "window_to_fill=8,018 bytes",
                                                           "window_shift=0",
                                                           "window_in_use=65,535 bytes",
                                                           "transfer_time=5,458 s (1 h 30 min)",
                                                           "parallel_flows=1"};
        // RFC 6349's 100 Mbit/s path of 5 ms with a 16,000-byte window: the
        // window's 25.6 Mbit/s binds, 1 GB takes 312.5 s, and 94.93 / 25.6
        // = 3.7 asks for 4 flows.
        QTest::newRow("typed, window bound") << QStringList{"typed:100:5", "WindowEdit=16000"}
                                             << QStringList{"goodput=94.93 Mbit/s",
                                                            "packet_rate=8,127 packets/s",
                                                            "window_rate=25.6 Mbit/s",
                                                            "achievable=25.6 Mbit/s",
                                                            "binding=window",
                                                            "bdp=62,500 bytes (500,000 bits)",
                                                            "transfer_time=312.5 s (5 min 13 s)",
                                                            "parallel_flows=4"};
        // WireGuard over IPv6 on PPPoE: 1500 - 8 - 80 = 1412; an IPv6 flow
        // with timestamps carries 1412 - 60 - 12 = 1340 bytes, 87.13% of
        // 1538. A loss of 1 in 10,000 over 20 ms allows 1340 x 8 / 0.02 x
        // 1.2247 / 0.01 = 65.65 Mbit/s, which binds: 1 GB in 121.9 s, and
        // 871.3 / 65.65 = 13.3 asks for 14 flows. 1 Gbit/s x 20 ms = 2.5 MB,
        // a shift of 6 (65,535 x 64 = 4,194,240).
        QTest::newRow("typed, loss bound, a stack")
            << QStringList{"typed:1000:20", "layer:WireGuard over IPv6", "layer:PPPoE",   "ipv6",
                           "timestamps",    "WindowEdit=4 MiB",          "LossEdit=0.01%"}
            << QStringList{"inner_mtu=1,412 bytes",
                           "mss_ipv6=1,352 bytes",
                           "segment_payload=1,340 bytes (the MSS less 12 bytes of timestamps)",
                           "efficiency=87.13%",
                           "goodput=871.3 Mbit/s",
                           "loss_rate=65.65 Mbit/s (Mathis formula, for Reno-style congestion "
                           "control)",
                           "binding=loss",
                           "window_to_fill=2,500,000 bytes",
                           "window_shift=6",
                           "window_in_use=4,194,304 bytes",
                           "transfer_time=121.9 s (2 min 2 s)",
                           "parallel_flows=14"};
    }

    void workedPaths()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        for (const QString& step : steps)
            run(step);
        QStringList keys;
        for (const QString& item : expected)
            keys << item.section(QLatin1Char('='), 0, 0);
        QCOMPARE(figures(keys), expected);
        ZENTRIX_EXPECT_NO_MESSAGES();
    }

    void followsTheChain()
    {
        // A first run's chain has one network without a bandwidth.
        QCOMPARE(bottleneck(), QStringLiteral("No network of the chain has a bandwidth."));
        QCOMPARE(figure("goodput"), QStringLiteral("needs a bandwidth above 0"));
        // The latency calculator is made after the window: the window
        // follows it from then on.
        trigger("LatencyCalculator1");
        setNetwork(1, QStringLiteral("T1"));
        QCOMPARE(bottleneck(), QStringLiteral("Bottleneck: T1 (1.544 Mbps)"));
        // 5 ms + 1088 bytes at 1.544 Mbit/s = 10.6373 ms, as the statistics
        // table's round trip says.
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("RoundTripEdit"))->text(),
                 QStringLiteral("10.6373"));
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("BandwidthEdit"))->text(),
                 QStringLiteral("1.544"));
        // A slower network becomes the bottleneck; a faster one does not.
        press(1);
        const int satellite = insert();
        setNetwork(satellite, QStringLiteral("Satellite"));
        QCOMPARE(bottleneck(), QStringLiteral("Bottleneck: Satellite (0.512 Mbps)"));
        setNetwork(satellite, QStringLiteral("Ethernet"));
        QCOMPARE(bottleneck(), QStringLiteral("Bottleneck: T1 (1.544 Mbps)"));
        // A calculator made before the window is followed as well.
        stop();
        open();
        trigger("LatencyCalculator1");
        openPath();
        QCOMPARE(bottleneck(), QStringLiteral("Bottleneck: T1 (1.544 Mbps)"));
        setNetwork(2, QStringLiteral("T1:0.256"));
        QCOMPARE(bottleneck(), QStringLiteral("Bottleneck: T1 (0.256 Mbps)"));
    }

    void typedFiguresWaitForTheChain()
    {
        run(QStringLiteral("typed:100:5"));
        QCOMPARE(figure("goodput"), QStringLiteral("94.93 Mbit/s"));
        // Back to the chain, whose network has no bandwidth, and out again:
        // what was typed comes back.
        useChain(true);
        QVERIFY(inPath<QLineEdit>(QStringLiteral("BandwidthEdit"))->isReadOnly());
        QCOMPARE(figure("goodput"), QStringLiteral("needs a bandwidth above 0"));
        useChain(false);
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("BandwidthEdit"))->text(), QStringLiteral("100"));
        QCOMPARE(figure("goodput"), QStringLiteral("94.93 Mbit/s"));
    }

    void buildingAStack()
    {
        addLayer(QStringLiteral("PPPoE"));
        addLayer(QStringLiteral("GRE over IPv4"));
        // A layer goes just outside the selected one: GRE around PPPoE.
        // GRE's 24 of 1500 leave 1476, PPPoE's 8 of them 1468.
        QCOMPARE(stackItems(), (QStringList{"PPPoE: 8 bytes", "GRE over IPv4: 24 bytes"}));
        QCOMPARE(figure("inner_mtu"), QStringLiteral("1,468 bytes"));
        addLayer(QStringLiteral("IPsec ESP tunnel over IPv4, AES-CBC with HMAC-SHA1-96"), 1);
        // ESP with NAT traversal outermost: 1500 leaves 1422, GRE 1398,
        // PPPoE 1390; ESP costs 78 bytes there, padding included.
        QCOMPARE(stackItems().last(),
                 QStringLiteral("IPsec ESP tunnel over IPv4, AES-CBC with HMAC-SHA1-96, NAT "
                                "traversal: 78 bytes"));
        QCOMPARE(figure("inner_mtu"), QStringLiteral("1,390 bytes"));
        // Moved innermost and back, undone step by step.
        clickPathButton("MoveLayerUpButton");
        clickPathButton("MoveLayerUpButton");
        QVERIFY(stackItems().first().startsWith(QStringLiteral("IPsec ESP")));
        QVERIFY(!inPath<QAbstractButton>(QStringLiteral("MoveLayerUpButton"))->isEnabled());
        clickPathButton("RemoveLayerButton");
        QCOMPARE(stackItems(), (QStringList{"PPPoE: 8 bytes", "GRE over IPv4: 24 bytes"}));
        for (int i = 0; i < 3; ++i)
            clickPathButton("UndoLayerButton");
        QCOMPARE(stackItems().size(), 3);
        QVERIFY(stackItems().last().startsWith(QStringLiteral("IPsec ESP")));
        // The keyboard does the same: Ctrl+Z undoes, Ctrl+Shift+Z redoes.
        sendKey(pathWindow(), Qt::Key_Z, Qt::ControlModifier);
        settle();
        QCOMPARE(stackItems().size(), 2);
        sendKey(pathWindow(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        settle();
        QCOMPARE(figure("inner_mtu"), QStringLiteral("1,390 bytes"));
    }

    void faultsAreMarked_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("loss past 1") << "LossEdit"
                                     << "1.5"
                                     << "Loss rate: '1.5' is outside 0 to 1";
        QTest::newRow("window of 0") << "WindowEdit"
                                     << "0"
                                     << "Receive window: a window of 0 bytes carries no data";
        QTest::newRow("a bare M") << "SizeEdit"
                                  << "10M"
                                  << "Transfer size: '10M' could mean either unit";
        QTest::newRow("a bandwidth below 0") << "BandwidthEdit"
                                             << "-1"
                                             << "Bandwidth: '-1' is below 0";
    }

    void faultsAreMarked()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        run(QStringLiteral("typed:100:5"));
        type(qPrintable(field), text);
        const QString fault = inPath<QLabel>(QStringLiteral("PathFault"))->text();
        QVERIFY2(fault.startsWith(message), qPrintable(fault));
        QCOMPARE(inPath(field)->toolTip(), fault);
        QCOMPARE(figure("inner_mtu"), QStringLiteral("-"));
        // Nothing typed is lost, and mending the field brings the figures back.
        QCOMPARE(inPath<QLineEdit>(field)->text(), text);
        type(qPrintable(field), QStringLiteral("1"));
        QCOMPARE(inPath(field)->toolTip(), QString());
        QCOMPARE(figure("inner_mtu"), QStringLiteral("1,500 bytes"));
    }

    void copyingAndSavingThePlot()
    {
        run(QStringLiteral("typed:100:40"));
        type("LossEdit", QStringLiteral("0.0001"));
        auto* tabs = inPath<QTabWidget>(QStringLiteral("PlotTabs"));
        for (const char* name : {"LossPlot", "RoundTripPlot"}) {
            TRatePlot* shown = plot(name);
            clickTab(tabs, tabs->indexOf(shown));
            QGuiApplication::clipboard()->clear();
            // Ctrl+Alt+C, as the menu entry says.
            sendKey(pathWindow(), Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
            const QImage copied = QGuiApplication::clipboard()->image();
            // What is copied is what the window shows.
            QCOMPARE(copied.size(), shown->size());
            QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                     shown->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }

        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("plot.png"));
        const QImage shown = plot("RoundTripPlot")->image();
        triggerPath("SavePlotPicture");
        answerFileDialog(pathWindow(), png);
        QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32),
                 shown.convertToFormat(QImage::Format_RGB32));
        const QString svg = folder.filePath(QStringLiteral("plot.svg"));
        triggerPath("SavePlotPicture");
        answerFileDialog(pathWindow(), svg);
        QFile drawn(svg);
        QVERIFY(drawn.open(QIODevice::ReadOnly));
        const QByteArray content = drawn.readAll();
        QVERIFY(content.contains("<svg"));
        QVERIFY(content.contains("Mbit/s"));
        ZENTRIX_EXPECT_NO_MESSAGES();
    }

    void copyingFiguresAndClampLines()
    {
        addLayer(QStringLiteral("GRE over IPv4"));
        triggerPath("CopyFigures");
        QVERIFY(clipboardText().startsWith(QStringLiteral("Inner MTU\t1,476\tbytes\r\n")));
        // GRE leaves 1476: an IPv4 MSS of 1436.
        triggerPath("CopyClampLines");
        QVERIFY(clipboardText().contains(QStringLiteral("\nip tcp adjust-mss 1436\n")));
        QCOMPARE(clipboardText(),
                 inPath<QPlainTextEdit>(QStringLiteral("ClampText"))->toPlainText());
        // An IPv6 flow gets the IPv6 forms: 1476 - 60 = 1416.
        auto* version = inPath<QComboBox>(QStringLiteral("IpVersionBox"));
        version->setFocus();
        QTest::keyClick(version, Qt::Key_Down);
        settle();
        QVERIFY(inPath<QPlainTextEdit>(QStringLiteral("ClampText"))
                    ->toPlainText()
                    .contains(QStringLiteral("ipv6 tcp adjust-mss 1416")));
    }

    void inputsAreRemembered()
    {
        run(QStringLiteral("typed:250:12.5"));
        run(QStringLiteral("layer:VXLAN over IPv4"));
        // Two layers: the stack is kept as "vxlan4,pppoe", a comma in it.
        run(QStringLiteral("layer:PPPoE"));
        type("WindowEdit", QStringLiteral("1 MiB"));
        type("LossEdit", QStringLiteral("0.02%"));
        clickTab(inPath<QTabWidget>(QStringLiteral("PlotTabs")), 2);
        stop();
        // The main window's settings know nothing of it.
        QSettings mainStore(QSettings::NativeFormat, QSettings::UserScope,
                            QStringLiteral("Qorvel Group"), QStringLiteral("Zentrix"));
        for (const QString& key : mainStore.allKeys())
            QVERIFY2(!key.contains(QLatin1String("Window")) &&
                         !key.contains(QLatin1String("Stack")),
                     qPrintable(key));
        QVERIFY(QFile::exists(TRememberedPath::storeFileName()));

        open();
        openPath();
        QVERIFY(!inPath<QCheckBox>(QStringLiteral("UseChainBox"))->isChecked());
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("BandwidthEdit"))->text(), QStringLiteral("250"));
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("RoundTripEdit"))->text(),
                 QStringLiteral("12.5"));
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("WindowEdit"))->text(), QStringLiteral("1 MiB"));
        QCOMPARE(inPath<QLineEdit>(QStringLiteral("LossEdit"))->text(), QStringLiteral("0.02%"));
        QCOMPARE(stackItems(), (QStringList{"VXLAN over IPv4: 50 bytes", "PPPoE: 8 bytes"}));
        QCOMPARE(inPath<QTabWidget>(QStringLiteral("PlotTabs"))->currentIndex(), 2);
    }

    void everyControlIsNamed()
    {
        // Whatever takes the focus says what it is to assistive technology.
        for (QWidget* widget : pathWindow()->findChildren<QWidget*>()) {
            // The tab bar's tabs and a spin box's own field speak for them.
            if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(pathWindow()) ||
                widget->inherits("QTabBar") || qobject_cast<QAbstractSpinBox*>(widget->parent()))
                continue;
            const auto* button = qobject_cast<QAbstractButton*>(widget);
            const bool named =
                !widget->accessibleName().isEmpty() || (button && !button->text().isEmpty());
            QVERIFY2(named, qPrintable(widget->objectName() + QLatin1Char(' ') +
                                       widget->metaObject()->className()));
        }
        // And it fits a 1024 x 768 screen.
        QVERIFY(pathWindow()->minimumSizeHint().width() <= 1024);
        QVERIFY(pathWindow()->minimumSizeHint().height() <= 740);
    }

private:
    // "chain": the README's chain in the latency calculator; "typed:MBPS:MS":
    // the chain's figures off and these typed; "layer:TITLE": a layer added;
    // "ipv6", "timestamps": the flow's; "FIELD=TEXT": typed into a field.
    void run(const QString& step)
    {
        if (step == QLatin1String("chain")) {
            trigger("LatencyCalculator1");
            setNode(0, 10, 64);
            setNetwork(1, QStringLiteral("Ethernet:10"));
            // A new network goes before the selected element.
            press(nodeB());
            setNetwork(insert(), QStringLiteral("T1"));
            setNode(nodeB(), 20, 1024);
        } else if (step.startsWith(QLatin1String("typed:"))) {
            useChain(false);
            type("BandwidthEdit", step.section(QLatin1Char(':'), 1, 1));
            type("RoundTripEdit", step.section(QLatin1Char(':'), 2, 2));
        } else if (step.startsWith(QLatin1String("layer:"))) {
            addLayer(step.mid(6));
        } else if (step == QLatin1String("ipv6")) {
            auto* version = inPath<QComboBox>(QStringLiteral("IpVersionBox"));
            version->setFocus();
            QTest::keyClick(version, Qt::Key_Down);
        } else if (step == QLatin1String("timestamps")) {
            clickItem(inPath<QCheckBox>(QStringLiteral("TimestampsBox")));
        } else {
            type(qPrintable(step.section(QLatin1Char('='), 0, 0)),
                 step.section(QLatin1Char('='), 1));
        }
        settle();
    }
};

ZENTRIX_UI_TEST_MAIN(TestPathWindow)
#include "tst_pathwindow.moc"
