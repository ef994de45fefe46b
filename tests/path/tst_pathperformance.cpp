// What one TCP flow can do on a path, without any window: RFC 6349's worked
// examples, every encapsulation's inner MTU worked by hand, the window scale
// at its boundaries, the Mathis limit against its formula, sizes as people
// write them, the MSS clamp and the figures taken from a latency chain.

#include "path/ChainFigures.h"
#include "path/ChainValue.h"
#include "path/Encapsulation.h"
#include "path/MssClamp.h"
#include "path/PathPerformance.h"
#include "path/PathRecords.h"
#include "path/SizeText.h"

#include <QtTest>

#include <cmath>

namespace {

TPathInput path(double mbps, double ms, const char* stack = "")
{
    TPathInput input;
    input.BandwidthMbps = mbps;
    input.RoundTripMs = ms;
    input.Stack = readStack(stack);
    return input;
}

QString record(const TPathResult& result, const char* key)
{
    for (const TPathRecord& row : pathRecords(result))
        if (QLatin1String(row.Key) == QLatin1String(key))
            return QString::fromStdString(row.Text);
    return QStringLiteral("(no record %1)").arg(key);
}

// The field a computation refuses, and its message.
QString refusal(const TPathInput& input)
{
    try {
        computePath(input);
    } catch (const EPathInputError& error) {
        return QString::fromStdString(error.what());
    }
    return QString();
}

TNetworkElement network(TNetworkButtonKind kind, const char* name, float mbps, int32_t ms)
{
    TNetworkElement element;
    element.Kind = kind;
    element.NetworkName = name;
    element.Bandwidth = mbps;
    element.PropagationDelay = ms;
    element.Hint = elementLabel(element);
    return element;
}

// Each row of the table on a 1500-byte link, worked by hand, and some stacks.
struct TWorkedStack
{
    const char* Stack;
    int Inner;
};
const TWorkedStack workedStacks[] = {
    {"dot1q", 1500},      // a tag is on the frame: the MTU stays
    {"qinq", 1500},       // two tags, likewise
    {"mpls", 1496},       // 1500 - one label of 4
    {"pppoe", 1492},      // 1500 - PPPoE 6 - PPP 2
    {"gre", 1476},        // 1500 - IPv4 20 - GRE 4
    {"gre-key", 1472},    // 1500 - 20 - 4 - key 4
    {"ipip", 1480},       // 1500 - IPv4 20
    {"6in4", 1480},       // 1500 - IPv4 20
    {"ipv6", 1460},       // 1500 - IPv6 40
    {"vxlan4", 1450},     // 1500 - IPv4 20 - UDP 8 - VXLAN 8 - Ethernet 14
    {"vxlan6", 1430},     // 1500 - IPv6 40 - 8 - 8 - 14
    {"geneve4", 1450},    // 1500 - 20 - UDP 8 - GENEVE 8 - Ethernet 14
    {"geneve4:8", 1442},  // and 8 bytes of options
    {"geneve6", 1430},    // 1500 - 40 - 8 - 8 - 14
    {"lisp4", 1464},      // 1500 - IPv4 20 - UDP 8 - LISP 8
    {"lisp6", 1444},      // 1500 - IPv6 40 - 8 - 8
    {"wireguard4", 1440}, // 1500 - IPv4 20 - UDP 8 - header 16 - tag 16
    {"wireguard6", 1420}, // 1500 - IPv6 40 - 8 - 16 - 16
    // ESP, AES-GCM: 1500 - IPv4 20 - SPI 4 - sequence 4 - IV 8 - ICV 16 =
    // 1448 for data and the 2-byte trailer, a multiple of 4: 1446.
    {"esp-gcm", 1446},
    // With NAT traversal's UDP 8: 1440 - 2 = 1438.
    {"esp-gcm:nat", 1438},
    // ESP, AES-CBC with HMAC-SHA1-96: 1500 - 20 - 4 - 4 - IV 16 - ICV 12 =
    // 1444; the largest multiple of 16 in it is 1440: 1440 - 2 = 1438.
    {"esp-cbc", 1438},
    // With NAT traversal: 1436, whose largest multiple of 16 is 1424: 1422.
    {"esp-cbc:nat", 1422},
    // Over IPv6, 20 more: 1428 is a multiple of 4, 1426; 1424 is one of 16, 1422.
    {"esp-gcm6", 1426},
    {"esp-cbc6", 1422},
    // Layers stack inside one another, outermost last. GRE over IPsec: ESP
    // (CBC) leaves 1438, GRE takes 24 of them: 1414.
    {"gre,esp-cbc", 1414},
    // WireGuard over IPv6 on PPPoE: 1492 - 80 = 1412.
    {"wireguard6,pppoe", 1412},
    // Two labels and a tag: 1500 - 4 - 4, the tag on the frame.
    {"mpls,mpls,dot1q", 1492},
};

} // namespace

class TestPathPerformance : public QObject
{
    Q_OBJECT

private slots:
    void bandwidthDelayProducts_data();
    void bandwidthDelayProducts();
    void windowLimitedRates_data();
    void windowLimitedRates();
    void ethernetThroughput_data();
    void ethernetThroughput();
    void innerMtu_data();
    void innerMtu();
    void everyLayerIsWorked();
    void espPaddingOnTheWire();
    void tagsLengthenTheFrame();
    void stackFaults_data();
    void stackFaults();
    void windowShift_data();
    void windowShift();
    void mathisLimit();
    void bindingLimitAndTransfer();
    void whatCannotBeComputed();
    void inputFaults_data();
    void inputFaults();
    void sizes_data();
    void sizes();
    void clampLines();
    void chainFigures();
};

// RFC 6349, 3.3.1: BDP (bits) = RTT (s) x BB (bit/s), the window BDP / 8.
// "on a T3 link with 25-ms RTT, the BDP would equal ~1,105,000 bits, and the
// minimum required TCP RWND would be ~138 KB"; the ADSL line of 90 ms has
// ~450,000 bits downstream (5 Mbit/s) and ~57,600 upstream (640 kbit/s).
// T3 is 44.21 Mbit/s there.
void TestPathPerformance::bandwidthDelayProducts_data()
{
    QTest::addColumn<double>("mbps");
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("bits");
    QTest::addColumn<double>("printedBits"); // the RFC's rounding of them
    QTest::addColumn<double>("printedStep");
    QTest::addColumn<QString>("window");
    // 44.21e6 x 0.025 = 1,105,250 bits = 138,156.25 bytes: a window of 138,157.
    QTest::newRow("T3, 25 ms") << 44.21 << 25.0 << "1,105,250 bits" << 1105000.0 << 1000.0
                               << "138,157";
    // 5e6 x 0.09 = 450,000 bits = 56,250 bytes.
    QTest::newRow("ADSL down, 90 ms")
        << 5.0 << 90.0 << "450,000 bits" << 450000.0 << 1000.0 << "56,250";
    // 640e3 x 0.09 = 57,600 bits = 7,200 bytes.
    QTest::newRow("ADSL up, 90 ms") << 0.64 << 90.0 << "57,600 bits" << 57600.0 << 100.0 << "7,200";
}

void TestPathPerformance::bandwidthDelayProducts()
{
    QFETCH(double, mbps);
    QFETCH(double, ms);
    QFETCH(QString, bits);
    QFETCH(double, printedBits);
    QFETCH(double, printedStep);
    QFETCH(QString, window);
    const TPathResult result = computePath(path(mbps, ms));
    QCOMPARE(QString::fromStdString(result.Bdp.Detail), bits);
    QCOMPARE(std::round(result.Bdp.Value * 8 / printedStep) * printedStep, printedBits);
    QCOMPARE(record(result, "window_to_fill"), window);
}

// RFC 6349, 3.3.1: TCP Throughput = TCP RWND x 8 / RTT, with "16 KBytes"
// meaning 16,000 bytes: 128,000 bits / 0.005 s = 25.6 Mbit/s on a 100 Mbit/s
// path of 5 ms, and 128,000 bits / 0.01 s = 12.8 Mbit/s on a T3 of 10 ms.
void TestPathPerformance::windowLimitedRates_data()
{
    QTest::addColumn<double>("mbps");
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("binding");
    QTest::newRow("100 Mbit/s, 5 ms") << 100.0 << 5.0 << "16 KB"
                                      << "25.6"
                                      << "window";
    QTest::newRow("T3, 10 ms") << 44.21 << 10.0 << "16KB"
                               << "12.8"
                               << "window";
    // 64 KB over 10 ms allows 51.2 Mbit/s, more than the T3's 44.21 carries:
    // the bottleneck binds (the RFC's 42.8 counts T3 framing, not Ethernet's).
    QTest::newRow("T3, 10 ms, 64 KB") << 44.21 << 10.0 << "64 KB"
                                      << "51.2"
                                      << "bottleneck";
}

void TestPathPerformance::windowLimitedRates()
{
    QFETCH(double, mbps);
    QFETCH(double, ms);
    QFETCH(QString, window);
    QFETCH(QString, rate);
    QFETCH(QString, binding);
    TPathInput input = path(mbps, ms);
    input.WindowBytes = readWindow(window.toStdString());
    const TPathResult result = computePath(input);
    QCOMPARE(record(result, "window_rate"), rate);
    QCOMPARE(record(result, "binding"), binding);
}

// RFC 6349, 4.1.1: a 1500-byte MTU takes 1538 bytes on the wire (Ethernet 14,
// CRC32 4, IFG 12, preamble 7, SFD 1), so 100 Mbit/s carries 8,127 frames a
// second, GigE 81,274 and 10GigE 812,743, and 1460 x 8 x 8127 = 94.9 Mbit/s
// of TCP. 1460 / 1538 is 94.93% of the line.
void TestPathPerformance::ethernetThroughput_data()
{
    QTest::addColumn<double>("mbps");
    QTest::addColumn<QString>("frames");
    QTest::newRow("100 Mbit/s") << 100.0 << "8,127";
    QTest::newRow("GigE") << 1000.0 << "81,274";
    QTest::newRow("10GigE") << 10000.0 << "812,743";
}

void TestPathPerformance::ethernetThroughput()
{
    QFETCH(double, mbps);
    QFETCH(QString, frames);
    const TPathResult result = computePath(path(mbps, 1));
    QCOMPARE(record(result, "wire_bytes"), QStringLiteral("1,538"));
    QCOMPARE(record(result, "segment_payload"), QStringLiteral("1,460"));
    QCOMPARE(record(result, "packet_rate"), frames);
    QCOMPARE(record(result, "efficiency"), QStringLiteral("94.93"));
    // 94.9 Mbit/s of every 100, to the RFC's digits, as the line's share
    // and as its whole frames count it.
    const double tenths = std::round(result.Goodput.Value / mbps * 1000) / 10;
    QCOMPARE(tenths, 94.9);
    QCOMPARE(std::round(1460.0 * 8 * result.PacketRate.Value / mbps / 1e3) / 10, 94.9);
}

void TestPathPerformance::innerMtu_data()
{
    QTest::addColumn<QString>("stack");
    QTest::addColumn<int>("inner");
    for (const TWorkedStack& worked : workedStacks)
        QTest::newRow(worked.Stack) << worked.Stack << worked.Inner;
}

void TestPathPerformance::innerMtu()
{
    QFETCH(QString, stack);
    QFETCH(int, inner);
    const TPathResult result = computePath(path(100, 10, qPrintable(stack)));
    QCOMPARE(int(result.InnerMtu.Value), inner);
    QCOMPARE(int(result.MssIpv4.Value), inner - 40);
    QCOMPARE(int(result.MssIpv6.Value), inner - 60);
    QVERIFY(result.Stack.OuterPacket <= 1500);
}

void TestPathPerformance::everyLayerIsWorked()
{
    // A row added to the table is worked by hand above, alone.
    for (const TEncapsulation& row : encapsulationTable()) {
        bool worked = false;
        for (const TWorkedStack& stack : workedStacks)
            worked = worked || std::string(stack.Stack) == row.Name;
        QVERIFY2(worked, row.Name);
    }
}

void TestPathPerformance::espPaddingOnTheWire()
{
    // AES-CBC's 1438 bytes and trailer fill 1440 of the 1444: its layer costs
    // 62 bytes of the MTU, and its packet on the link is 56 + 1440 = 1496,
    // 1534 bytes on the wire.
    const TPathResult result = computePath(path(100, 10, "esp-cbc"));
    QCOMPARE(result.Stack.Layers.at(0).Bytes, 62);
    QCOMPARE(result.Stack.OuterPacket, 1496);
    QCOMPARE(record(result, "wire_bytes"), QStringLiteral("1,534"));
}

void TestPathPerformance::tagsLengthenTheFrame()
{
    // VXLAN inside, a VLAN tag outside: the MTU gives VXLAN's 1450 and the
    // frame is 1538 + 4.
    const TPathResult result = computePath(path(100, 10, "vxlan4,dot1q"));
    QCOMPARE(int(result.InnerMtu.Value), 1450);
    QCOMPARE(record(result, "wire_bytes"), QStringLiteral("1,542"));
    QVERIFY(result.Stack.Layers.at(1).Frame);
}

void TestPathPerformance::stackFaults_data()
{
    QTest::addColumn<QString>("stack");
    QTest::addColumn<int>("mtu");
    QTest::addColumn<QString>("message");
    QTest::newRow("a tag inside GRE")
        << "dot1q,gre" << 1500 << "Encapsulation: GRE over IPv4 lies outside a VLAN tag";
    QTest::newRow("no such layer") << "pppoe,vxlan" << 1500 << "Encapsulation: 'vxlan' is no layer";
    QTest::newRow("options not in words")
        << "geneve4:6" << 1500 << "Encapsulation: 'geneve4:6': GENEVE options are 0";
    QTest::newRow("a setting PPPoE has not")
        << "pppoe:nat" << 1500 << "Encapsulation: 'pppoe:nat': pppoe takes no";
    QTest::newRow("an empty layer") << "gre,,pppoe" << 1500 << "has an empty layer";
    // 80 - 50 leaves VXLAN 30 bytes, too few for IPv4 and TCP's 40.
    QTest::newRow("no room for the headers")
        << "vxlan4" << 80 << "Link MTU: 80 bytes leave 30 inside the stack, no room for data";
    // 80 - 60 leaves 20 for GRE, which takes 24.
    QTest::newRow("no room inside a layer")
        << "gre,wireguard4" << 80 << "Link MTU: 80 bytes leave no room for a packet inside GRE";
}

void TestPathPerformance::stackFaults()
{
    QFETCH(QString, stack);
    QFETCH(int, mtu);
    QFETCH(QString, message);
    QString refused;
    try {
        TPathInput input = path(100, 10, qPrintable(stack));
        input.LinkMtu = mtu;
        refused = refusal(input);
    } catch (const EPathInputError& error) {
        refused = QString::fromStdString(error.what());
    }
    QVERIFY2(refused.contains(message), qPrintable(refused));
}

// RFC 7323, 2.2 and 2.3: the shift S makes a window of up to 65,535 x 2^S, S
// at most 14. At 8 Mbit/s a millisecond holds 1,000 bytes.
void TestPathPerformance::windowShift_data()
{
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("shift");
    QTest::newRow("65,535 needs none") << 65.535 << "65,535"
                                       << "0";
    QTest::newRow("65,536 needs 1") << 65.536 << "65,536"
                                    << "1";
    QTest::newRow("131,070 = 65,535 x 2") << 131.07 << "131,070"
                                          << "1";
    QTest::newRow("131,071 needs 2") << 131.071 << "131,071"
                                     << "2";
    QTest::newRow("65,535 x 2^14 needs 14") << 1073725.44 << "1,073,725,440"
                                            << "14";
    QTest::newRow("one more byte is too many") << 1073725.441 << "1,073,725,441"
                                               << "one flow cannot fill the path";
}

void TestPathPerformance::windowShift()
{
    QFETCH(double, ms);
    QFETCH(QString, window);
    QFETCH(QString, shift);
    const TPathResult result = computePath(path(8, ms));
    QCOMPARE(record(result, "window_to_fill"), window);
    QVERIFY2(record(result, "window_shift").startsWith(shift),
             qPrintable(record(result, "window_shift")));
}

void TestPathPerformance::mathisLimit()
{
    // MSS / RTT x C / sqrt(p), C = sqrt(3/2): 1460 bytes each 100 ms with a
    // loss of 1 in 10,000 allow 116,800 bit/s x 1.2247 / 0.01 = 14.305 Mbit/s.
    TPathInput input = path(1000, 100);
    input.LossRate = 1e-4;
    input.WindowBytes = 1 << 30;
    const TPathResult result = computePath(input);
    const double formula = 1460 * 8 / 0.1 * std::sqrt(3.0 / 2.0) / std::sqrt(1e-4) / 1e6;
    QCOMPARE(result.LossRate.Value, formula);
    QCOMPARE(record(result, "loss_rate"), QStringLiteral("14.31"));
    QCOMPARE(record(result, "binding"), QStringLiteral("loss"));

    // Timestamps take 12 bytes of every segment: 1448 are data.
    input.Timestamps = true;
    const TPathResult stamped = computePath(input);
    QCOMPARE(int(stamped.SegmentPayload.Value), 1448);
    QCOMPARE(stamped.LossRate.Value, formula * 1448 / 1460);
}

void TestPathPerformance::bindingLimitAndTransfer()
{
    // 100 Mbit/s, 5 ms and a window of 16,000 bytes: the window's 25.6
    // Mbit/s binds; 1 GB takes 8e9 / 25.6e6 = 312.5 s; the bottleneck's
    // 94.93 Mbit/s needs 94.93 / 25.6 = 3.7, so 4 flows.
    TPathInput input = path(100, 5);
    input.WindowBytes = 16000;
    const TPathResult result = computePath(input);
    QCOMPARE(record(result, "achievable"), QStringLiteral("25.6"));
    QCOMPARE(record(result, "transfer_time"), QStringLiteral("312.5"));
    QCOMPARE(durationText(result.TransferTime.Value), std::string("5 min 13 s"));
    QCOMPARE(record(result, "parallel_flows"), QStringLiteral("4"));

    // Without scaling the window stops at 65,535, whatever is offered.
    input.WindowBytes = 1000000;
    input.WindowScaling = false;
    QCOMPARE(record(computePath(input), "window_in_use"), QStringLiteral("65,535"));
}

void TestPathPerformance::whatCannotBeComputed()
{
    // No bandwidth: nothing of the bottleneck, but the window still limits.
    const TPathResult noBandwidth = computePath(path(0, 10));
    QCOMPARE(record(noBandwidth, "goodput"), QStringLiteral("needs a bandwidth above 0"));
    QCOMPARE(record(noBandwidth, "bdp"), QStringLiteral("needs a bandwidth above 0"));
    QCOMPARE(record(noBandwidth, "binding"), QStringLiteral("window"));
    QCOMPARE(record(noBandwidth, "parallel_flows"), QStringLiteral("needs a bandwidth above 0"));
    // No round trip: the bottleneck alone.
    const TPathResult noRoundTrip = computePath(path(100, 0));
    QCOMPARE(record(noRoundTrip, "window_rate"), QStringLiteral("needs a round trip above 0"));
    QCOMPARE(record(noRoundTrip, "binding"), QStringLiteral("bottleneck"));
    // Neither: packet sizes only.
    const TPathResult neither = computePath(path(0, 0));
    QCOMPARE(record(neither, "inner_mtu"), QStringLiteral("1,500"));
    QVERIFY(!neither.Achievable.Known);
    QVERIFY(!neither.TransferTime.Known);
}

void TestPathPerformance::inputFaults_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, TPathField field, const char* text, const char* message) {
        QTest::newRow(name) << int(field) << text << message;
    };
    row("loss past 1", TPathField::Loss, "1.5", "Loss rate: '1.5' is outside 0 to 1");
    row("loss as a percentage", TPathField::Loss, "0.1%", "");
    row("negative loss", TPathField::Loss, "-0.1", "Loss rate: '-0.1' is below 0");
    row("window of 0", TPathField::Window, "0", "Receive window: a window of 0 bytes");
    row("bandwidth not a number", TPathField::Bandwidth, "fast",
        "Bandwidth: 'fast' is not a number of Mbit/s");
    row("negative round trip", TPathField::RoundTrip, "-3", "Round trip: '-3' is below 0");
    row("bandwidth past any path", TPathField::Bandwidth, "2e7",
        "Bandwidth: 2E7 Mbit/s is more than 10,000,000");
    row("MTU below IPv4's", TPathField::Mtu, "67", "Link MTU: '67' is not a whole number of bytes");
    row("MTU in pieces", TPathField::Mtu, "1500.5", "Link MTU: '1500.5' is not a whole number");
    row("size without a unit", TPathField::Size, "10M", "Transfer size: '10M' could mean either");
}

void TestPathPerformance::inputFaults()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    const std::string typed = text.toStdString();
    QString refused;
    try {
        switch (TPathField(field)) {
        case TPathField::Loss:
            QCOMPARE(readLossRate(typed), 0.001); // only the percentage is taken
            break;
        case TPathField::Window:
            readWindow(typed);
            break;
        case TPathField::Bandwidth:
            readBandwidth(typed);
            break;
        case TPathField::RoundTrip:
            readRoundTrip(typed);
            break;
        case TPathField::Mtu:
            readLinkMtu(typed);
            break;
        default:
            readTransferSize(typed);
            break;
        }
    } catch (const EPathInputError& error) {
        QCOMPARE(int(error.field()), field);
        refused = QString::fromStdString(error.what());
    }
    QVERIFY2(message.isEmpty() ? refused.isEmpty() : refused.startsWith(message),
             qPrintable(refused));
}

void TestPathPerformance::sizes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qulonglong>("bytes");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* text, qulonglong bytes, const char* message = "") {
        QTest::newRow(text) << text << bytes << message;
    };
    row("65535", 65535);
    row(" 65535 B ", 65535);
    row("64 KB", 64000);
    row("64kB", 64000);
    row("64 KiB", 65536);
    row("1.5 KiB", 1536);
    row("10 GB", 10000000000);
    row("1.5 GiB", 1610612736);
    row("2 TiB", 2199023255552);
    row("10M", 0,
        "Transfer size: '10M' could mean either unit: write 10 MB (powers of 10) or "
        "10 MiB (powers of 2)");
    row("1 k", 0, "write 1 KB (powers of 10) or 1 KiB");
    row("10 Mb", 0, "Transfer size: '10 Mb': sizes are in bytes (B); a small b would be bits");
    row("1.0005 KB", 0, "Transfer size: '1.0005 KB' is not a whole number of bytes");
    row("0.5", 0, "not a whole number of bytes");
    row("", 0, "Transfer size: give a size");
    row("ten", 0, "Transfer size: 'ten' is not a size");
    row("10 XB", 0, "Transfer size: '10 XB' is not a size");
    row("99999999999999999999", 0, "is more than 9,007,199,254,740,992 bytes");
    row("9 PB", 0, "Transfer size: '9 PB' is not a size");
    row("8193 TiB", 0, "is more than");
}

void TestPathPerformance::sizes()
{
    QFETCH(QString, text);
    QFETCH(qulonglong, bytes);
    QFETCH(QString, message);
    try {
        QCOMPARE(qulonglong(readSize(text.toStdString(), TPathField::Size)), bytes);
        QVERIFY(message.isEmpty());
    } catch (const EPathInputError& error) {
        const QString refused = QString::fromStdString(error.what());
        QVERIFY2(!message.isEmpty() && refused.contains(message), qPrintable(refused));
    }
}

void TestPathPerformance::clampLines()
{
    // A GRE tunnel: 1476 - 40 = 1436 for IPv4.
    const QString v4 = QString::fromStdString(mssClampText(1436, 4));
    for (const char* line : {
             "ip tcp adjust-mss 1436",
             "set security flow tcp-mss all-tcp mss 1436",
             "nft add rule ip filter forward tcp flags syn tcp option maxseg size set 1436",
             "iptables -t mangle -A FORWARD -p tcp --tcp-flags SYN,RST SYN -j TCPMSS --set-mss "
             "1436",
             "/ip firewall mangle add chain=forward protocol=tcp tcp-flags=syn tcp-mss=1437-65535 "
             "action=change-mss new-mss=1436",
         })
        QVERIFY2(v4.split(QLatin1Char('\n')).contains(QLatin1String(line)), line);
    QVERIFY(!v4.contains(QLatin1String("takes 500 to 1460")));
    // 1476 - 60 = 1416 for IPv6, in each platform's IPv6 form.
    const QString v6 = QString::fromStdString(mssClampText(1416, 6));
    for (const char* line : {"ipv6 tcp adjust-mss 1416", "nft add rule ip6 filter forward",
                             "ip6tables -t mangle", "/ipv6 firewall mangle"})
        QVERIFY2(v6.contains(QLatin1String(line)), line);
    // Cisco's IPv4 command takes 500 to 1460: a jumbo MSS is flagged.
    QVERIFY(QString::fromStdString(mssClampText(8960, 4)).contains("takes 500 to 1460"));
}

void TestPathPerformance::chainFigures()
{
    // Node A 64 bytes and 10 ms, Ethernet 10 Mbit/s, T1 1.544 Mbit/s with 5
    // ms, an Ethernet nobody gave a bandwidth, node B 1024 bytes and 20 ms:
    // the T1 is the bottleneck (the network without bandwidth is none), and
    // the round trip is the statistics table's total, 0.0415397 s.
    TChainValue chain = firstRunChain();
    chain.replaceNetworks({network(nbEthernet, "Ethernet", 10, 0),
                           network(nbTCarrier, "T1", 1.544f, 5),
                           network(nbEthernet, "Ethernet", 0, 0)});
    TNetworkElement nodeA = chain.nodeA();
    nodeA.ProcessTime = 10;
    chain.setElement(0, nodeA);
    TNetworkElement nodeB = chain.nodeB();
    nodeB.ProcessTime = 20;
    chain.setElement(chain.count() - 1, nodeB);

    const TChainFigures figures = ::chainFigures(chain);
    QCOMPARE(figures.Bottleneck, 2);
    QCOMPARE(QString::fromStdString(figures.BottleneckLabel), QStringLiteral("T1 (1.544 Mbps)"));
    QCOMPARE(figures.BandwidthMbps, 1.544);
    QVERIFY(figures.RoundTripKnown);
    QCOMPARE(figures.RoundTripMs, 41.5397);

    // Without any bandwidth there is no bottleneck.
    const TChainFigures fresh = ::chainFigures(firstRunChain());
    QCOMPARE(fresh.Bottleneck, -1);
    QVERIFY(fresh.RoundTripKnown);
}

QTEST_APPLESS_MAIN(TestPathPerformance)
#include "tst_pathperformance.moc"
