// The latency figures without any window: per-element delays, the chain
// computation, the number formats the table and labels print, and finding a
// topology by its name.

#include "core/Errors.h"
#include "core/FloatConversions.h"
#include "path/ElementDelay.h"
#include "path/LatencyComputation.h"
#include "path/TopologyTable.h"

#include <QtTest>

#include <limits>
#include <vector>

namespace {

QString delayText(float seconds)
{
    return QString::fromStdString(formatDelay(seconds));
}

TChainElement node(TNetworkButtonKind kind, int32_t packetSize, int32_t processTime)
{
    TChainElement e;
    e.Kind = kind;
    e.PacketSize = packetSize;
    e.ProcessTime = processTime;
    return e;
}

TChainElement network(TNetworkButtonKind kind, float bandwidth, int32_t propagationDelay)
{
    TChainElement e;
    e.Kind = kind;
    e.Bandwidth = bandwidth;
    e.PropagationDelay = propagationDelay;
    return e;
}

// One direction of a computed chain as the statistics table prints it: each
// element's delay and percent, then the total.
QStringList printed(const TChainLatencies& figures, TPacketDirection direction)
{
    QStringList cells;
    for (const TElementLatency& latency : figures.Elements)
        cells << delayText(delayOf(latency, direction))
              << QString::fromStdString(formatShare(shareOf(latency, direction)));
    cells << delayText(totalOf(figures.Totals, direction));
    return cells;
}

std::vector<const TChainElement*> pointers(const std::vector<TChainElement>& chain)
{
    std::vector<const TChainElement*> result;
    for (const TChainElement& e : chain)
        result.push_back(&e);
    return result;
}

} // namespace

Q_DECLARE_METATYPE(TChainElement)
Q_DECLARE_METATYPE(TPacketDirection)
Q_DECLARE_METATYPE(std::vector<TChainElement>)

class TestLatencyLogic : public QObject
{
    Q_OBJECT

private slots:
    void delay_data();
    void delay();
    void chain_data();
    void chain();
    void packetSizesOverflow();
    void fixedFormat_data();
    void fixedFormat();
    void delayInMilliseconds_data();
    void delayInMilliseconds();
    void generalFormat_data();
    void generalFormat();
    void readFloat_data();
    void readFloat();
    void readSingleRefusesInfinity();
    void topologyByName_data();
    void topologyByName();
};

void TestLatencyLogic::delay_data()
{
    QTest::addColumn<TChainElement>("element");
    QTest::addColumn<int>("packetSize");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new element has no delay") << TChainElement() << 1500 << "0.0000000";
    QTest::newRow("node: processing time only")
        << node(nbDesktopCPU, 64, 250) << 1024 << "0.2500000";
    QTest::newRow("node B ignores a huge packet")
        << node(nbTowerCPU, 64, 20) << 2147483647 << "0.0200000";
    QTest::newRow("Ethernet 10 Mbps, 512 bytes, framing overhead")
        << network(nbEthernet, 10, 0) << 512 << "0.0004256";
    QTest::newRow("Fast Ethernet, 64 bytes") << network(nbEthernet, 100, 0) << 64 << "0.0000067";
    QTest::newRow("no overhead on other kinds") << network(nbFDDI, 100, 0) << 64 << "0.0000051";
    QTest::newRow("T1 with 5 ms, 1024 bytes")
        << network(nbTCarrier, 1.544f, 5) << 1024 << "0.0103057";
    QTest::newRow("Satellite 0.512 Mbps, 270 ms")
        << network(nbSatellite, 0.512f, 270) << 512 << "0.2780000";
    QTest::newRow("zero bandwidth: propagation only")
        << network(nbTCarrier, 0, 7) << 1024 << "0.0070000";
    QTest::newRow("zero bandwidth Ethernet: no overhead either")
        << network(nbEthernet, 0, 3) << 1024 << "0.0030000";
    QTest::newRow("bandwidth too small to divide by: propagation only")
        << network(nbOther, 1e-44f, 10) << 2147483647 << "0.0100000";
    QTest::newRow("largest packet on a slow line")
        << network(nbX25, 0.064f, 0) << 2147483647 << "268435.4000000";
}

void TestLatencyLogic::delay()
{
    QFETCH(TChainElement, element);
    QFETCH(int, packetSize);
    QFETCH(QString, expected);
    QCOMPARE(delayText(element.Delay(packetSize)), expected);
}

void TestLatencyLogic::chain_data()
{
    QTest::addColumn<std::vector<TChainElement>>("chain");
    QTest::addColumn<TPacketDirection>("direction");
    QTest::addColumn<QStringList>("expected");

    // Node A, a 10 Mbps Ethernet, a T1 with 5 ms and node B.
    const std::vector<TChainElement> example = {
        node(nbDesktopCPU, 64, 10), network(nbEthernet, 10, 0), network(nbTCarrier, 1.544f, 5),
        node(nbTowerCPU, 1024, 20)};
    QTest::newRow("example, A to B")
        << example << pdAtoB
        << QStringList{"0.0100000", "64.9%",     "0.0000672", "0.4%",     "0.0053316",
                       "34.6%",     "0.0000000", "0.0%",      "0.0153988"};
    QTest::newRow("example, B to A")
        << example << pdBtoA
        << QStringList{"0.0000000", "0.0%",      "0.0008352", "2.7%",     "0.0103057",
                       "33.1%",     "0.0200000", "64.2%",     "0.0311409"};
    QTest::newRow("example, round trip")
        << example << pdRoundTrip
        << QStringList{"0.0100000", "24.1%",     "0.0009024", "2.2%",     "0.0106373",
                       "25.6%",     "0.0200000", "48.1%",     "0.0415397"};

    // A satellite hop counts its propagation delay twice on the round trip,
    // a frame relay link once.
    const std::vector<TChainElement> satellite = {
        node(nbDesktopCPU, 512, 0), network(nbSatellite, 0.512f, 270), node(nbTowerCPU, 512, 0)};
    QTest::newRow("satellite, A to B")
        << satellite << pdAtoB << QStringList{"0.0000000", "0.0%", "0.2780000", "100.0%",
                                              "0.0000000", "0.0%", "0.2780000"};
    QTest::newRow("satellite, round trip")
        << satellite << pdRoundTrip << QStringList{"0.0000000", "0.0%", "0.5560000", "100.0%",
                                                   "0.0000000", "0.0%", "0.5560000"};
    const std::vector<TChainElement> frameRelay = {
        node(nbDesktopCPU, 512, 0), network(nbFrameRelay, 0.512f, 270), node(nbTowerCPU, 512, 0)};
    QTest::newRow("frame relay, round trip")
        << frameRelay << pdRoundTrip << QStringList{"0.0000000", "0.0%", "0.2860000", "100.0%",
                                                    "0.0000000", "0.0%", "0.2860000"};

    const std::vector<TChainElement> nothing = {node(nbDesktopCPU, 64, 0), TChainElement(),
                                                node(nbTowerCPU, 1024, 0)};
    QTest::newRow("all delays zero")
        << nothing << pdRoundTrip
        << QStringList{"0.0000000", "0.0%", "0.0000000", "0.0%", "0.0000000", "0.0%", "0.0000000"};

    // An empty packet from A makes the A-to-B total 0; the other directions
    // still have real delays to share out.
    const std::vector<TChainElement> emptyPacket = {
        node(nbDesktopCPU, 0, 0), network(nbTCarrier, 1.544f, 0), node(nbTowerCPU, 1024, 10)};
    QTest::newRow("zero total in one direction, A to B")
        << emptyPacket << pdAtoB
        << QStringList{"0.0000000", "0.0%", "0.0000000", "0.0%", "0.0000000", "0.0%", "0.0000000"};
    QTest::newRow("zero total in one direction, B to A")
        << emptyPacket << pdBtoA << QStringList{"0.0000000", "0.0%",  "0.0053057", "34.7%",
                                                "0.0100000", "65.3%", "0.0153057"};

    // A full chain: each network's delay is far below the printed digits,
    // yet together they still show in the total.
    std::vector<TChainElement> long_ = {node(nbDesktopCPU, 1, 1)};
    for (int i = 0; i < 14; ++i)
        long_.push_back(network(nbATM, 622.08f, 0));
    long_.push_back(node(nbTowerCPU, 1, 3));
    QStringList longExpected = {"0.0010000", "100.0%"};
    for (int i = 0; i < 14; ++i)
        longExpected << "0.0000000"
                     << "0.0%";
    longExpected << "0.0000000"
                 << "0.0%"
                 << "0.0010002";
    QTest::newRow("fourteen networks, A to B") << long_ << pdAtoB << longExpected;
}

void TestLatencyLogic::chain()
{
    QFETCH(std::vector<TChainElement>, chain);
    QFETCH(TPacketDirection, direction);
    QFETCH(QStringList, expected);
    QCOMPARE(printed(computeChainLatencies(pointers(chain)), direction), expected);
}

void TestLatencyLogic::packetSizesOverflow()
{
    const std::vector<TChainElement> chain = {node(nbDesktopCPU, 2147483647, 0),
                                              network(nbEthernet, 10, 0), node(nbTowerCPU, 1, 0)};
    try {
        computeChainLatencies(pointers(chain));
        QFAIL("the sum of the packet sizes fits no 32-bit integer");
    } catch (const EZentrixError& error) {
        QCOMPARE(QString(error.what()), QString("Integer overflow"));
    }
    // One byte less fits.
    std::vector<TChainElement> fits = chain;
    fits.back().PacketSize = 0;
    QCOMPARE(computeChainLatencies(pointers(fits)).Elements.size(), size_t(3));
}

void TestLatencyLogic::fixedFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0 << 7 << "0.0000000";
    QTest::newRow("small delay") << double(0.0004256f) << 7 << "0.0004256";
    QTest::newRow("padded with zeros") << double(0.278f) << 7 << "0.2780000";
    QTest::newRow("single just below 0.01") << 0.009999999776 << 7 << "0.0100000";
    QTest::newRow("rounded at 7 significant digits") << 12.3456789 << 7 << "12.3456800";
    QTest::newRow("rounded at the last decimal") << 0.00001234567 << 7 << "0.0000123";
    QTest::newRow("below half the last decimal") << 0.00000004 << 7 << "0.0000000";
    QTest::newRow("just above half the last decimal") << 0.000000050001 << 7 << "0.0000001";
    QTest::newRow("carry into a new digit") << 9.99999996 << 7 << "10.0000000";
    QTest::newRow("seven integer digits") << 1234567.4 << 7 << "1234567.0000000";
    QTest::newRow("eight integer digits: scientific") << 12345678.0 << 7 << "1.234568E7";
    QTest::newRow("rounds up to eight digits") << 9999999.6 << 7 << "1E7";
    QTest::newRow("negative") << -0.0125 << 7 << "-0.0125000";
    QTest::newRow("negative rounding to zero has no sign") << -0.00000001 << 7 << "0.0000000";
    QTest::newRow("share") << double(0.3456f) * 100.0 << 1 << "34.6%";
    QTest::newRow("exact tie rounds away from zero") << 6.25 << 1 << "6.3";
    QTest::newRow("whole share") << 100.0 << 1 << "100.0";
    QTest::newRow("not a number") << qQNaN() << 7 << "NAN";
    QTest::newRow("infinite") << -qInf() << 7 << "-INF";
}

void TestLatencyLogic::fixedFormat()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QString text = QString::fromStdString(conv::floatToStrFixed(value, decimals));
    if (expected.endsWith('%'))
        text += '%';
    QCOMPARE(text, expected);
}

// The command line's --ms: the digits of the seconds the table shows.
void TestLatencyLogic::delayInMilliseconds_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero") << 0.0f << "0.0000";
    QTest::newRow("below a millisecond") << 0.0004256f << "0.4256";
    QTest::newRow("single just below 0.01") << 0.01f << "10.0000";
    QTest::newRow("padded with zeros") << 0.278f << "278.0000";
    QTest::newRow("rounded at 7 significant digits") << 12.3456789f << "12345.6800";
    QTest::newRow("negative") << -0.0125f << "-12.5000";
    QTest::newRow("scientific") << 12345678.0f << "1.234568E10";
    QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << "INF";
}

void TestLatencyLogic::delayInMilliseconds()
{
    QFETCH(float, seconds);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(formatDelayMilliseconds(seconds)), expected);
}

void TestLatencyLogic::generalFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("56k") << double(0.056f) << "0.056";
    QTest::newRow("OC-3") << double(155.52f) << "155.52";
    QTest::newRow("integer") << double(10.0f) << "10";
    QTest::newRow("T1") << double(1.544f) << "1.544";
    QTest::newRow("typed 12.5") << double(12.5f) << "12.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("six digits rounded") << 123456.7 << "123457";
    QTest::newRow("seven digits: scientific") << double(1234567.0f) << "1.23457E6";
    QTest::newRow("rounds up past six digits") << 999999.5 << "1E6";
    QTest::newRow("smallest fixed value") << 0.00001 << "0.00001";
    QTest::newRow("below it: scientific") << 0.000001 << "1E-6";
    QTest::newRow("negative") << -2.5 << "-2.5";
}

void TestLatencyLogic::generalFormat()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(conv::floatToStrGeneral(value)), expected);
}

void TestLatencyLogic::readFloat_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");

    QTest::newRow("list entry") << "44.736" << true << 44.736;
    QTest::newRow("integer") << "100" << true << 100.0;
    QTest::newRow("blanks around") << " 1.5 " << true << 1.5;
    QTest::newRow("trailing point") << "1." << true << 1.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("signed") << "-3" << true << -3.0;
    QTest::newRow("exponent") << "1E3" << true << 1000.0;
    QTest::newRow("tiny becomes zero") << "1e-999" << true << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("only a point") << "." << false << 0.0;
    QTest::newRow("letters") << "fast" << false << 0.0;
    QTest::newRow("comma as decimal point") << "1,5" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("double sign") << "--1" << false << 0.0;
    QTest::newRow("beyond double range") << "1e999" << false << 0.0;
}

void TestLatencyLogic::readFloat()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    try {
        const double value = conv::strToFloat(text.toStdString());
        QVERIFY2(valid, "accepted a text that is no number");
        QCOMPARE(value, expected);
    } catch (const EZentrixError& error) {
        QVERIFY2(!valid, error.what());
        QCOMPARE(QString(error.what()), "'" + text + "' is not a valid floating point value");
    }
}

void TestLatencyLogic::readSingleRefusesInfinity()
{
    QCOMPARE(conv::strToSingle("1.544"), 1.544f);
    QVERIFY(conv::strToSingle("3.4e38") > 3e38f);
    QVERIFY_THROWS_EXCEPTION(EZentrixError, conv::strToSingle("1e39"));
}

void TestLatencyLogic::topologyByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // empty: no such topology
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("bandwidth");

    const auto row = [](const char* name, const char* expected, int kind, const char* bandwidth) {
        QTest::addRow("'%s'", name)
            << QString(name) << QString(expected) << kind << QString(bandwidth);
    };
    row("Frame Relay", "Frame Relay", nbFrameRelay, "1.544");
    row("tOKEN rING", "Token Ring", nbTokenRing, "16");
    row("t3", "T3", nbTCarrier, "44.736"); // one of two topologies of its kind
    row("x25", "", 0, "");
    row("ATM ", "", 0, "");
    row("", "", 0, "");
}

void TestLatencyLogic::topologyByName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QFETCH(int, kind);
    QFETCH(QString, bandwidth);
    const TTopology* topology = findTopology(name.toStdString());
    if (expected.isEmpty()) {
        QCOMPARE(topology, nullptr);
        return;
    }
    QVERIFY(topology);
    QCOMPARE(QString(topology->Text), expected);
    QCOMPARE(int(topology->Kind), kind);
    QCOMPARE(QString(topology->Bandwidth), bandwidth);
}

QTEST_APPLESS_MAIN(TestLatencyLogic)
#include "tst_latencylogic.moc"
