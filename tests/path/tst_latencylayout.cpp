// The latency layout as the settings store keeps it, without any window:
// the records byte for byte, what damaged values are repaired to, where
// reading stops when a value cannot be read, and that a written layout reads
// back as it was.

#include "core/Errors.h"
#include "path/LatencyLayout.h"

#include <QtTest>

#include <limits>
#include <map>

namespace {

// A store in memory. Reading the name in `refused` raises, as a value of
// the wrong kind does.
class MemoryStore : public TLayoutSource, public TLayoutSink
{
public:
    std::map<std::string, int32_t> integers;
    std::map<std::string, std::string> strings;
    std::map<std::string, std::vector<uint8_t>> bytes;
    std::string refused;

    int32_t ReadInteger(const std::string& name) override
    {
        check(name);
        const auto found = integers.find(name);
        if (found == integers.end())
            throw EZentrixError("Failed to get data for '" + name + "'");
        return found->second;
    }
    std::string ReadString(const std::string& name) override
    {
        check(name);
        return strings.count(name) ? strings[name] : std::string();
    }
    std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t size) override
    {
        check(name);
        std::vector<uint8_t> value = bytes.count(name) ? bytes[name] : std::vector<uint8_t>();
        value.resize(std::min(value.size(), size));
        return value;
    }
    void WriteInteger(const std::string& name, int32_t value) override { integers[name] = value; }
    void WriteString(const std::string& name, const std::string& value) override
    {
        strings[name] = value;
    }
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& value) override
    {
        bytes[name] = value;
    }

private:
    void check(const std::string& name) const
    {
        if (name == refused)
            throw EZentrixError("Invalid data type for '" + name + "'");
    }
};

QByteArray hex(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
        .toHex(' ');
}

TNetworkRecord network(float bandwidth, uint8_t kind, int32_t left, int32_t delay, int32_t top)
{
    TNetworkRecord record;
    record.Bandwidth = bandwidth;
    record.Kind = kind;
    record.Left = left;
    record.PropagationDelay = delay;
    record.Top = top;
    return record;
}

// A store of node A, node B and `count` sound networks.
MemoryStore storeOf(int32_t count)
{
    MemoryStore store;
    store.bytes["NodeA"] = encodeNodeRecord({64, 5});
    store.bytes["NodeB"] = encodeNodeRecord({1024, 0});
    store.integers["NumNetworks"] = count;
    for (int n = 1; n <= 17; ++n) {
        const std::string name = "Network" + std::to_string(n);
        store.bytes[name] = encodeNetworkRecord(network(10, nbEthernet, 75, n, 72));
        store.strings[name + "Name"] = "net " + std::to_string(n);
    }
    return store;
}

} // namespace

Q_DECLARE_METATYPE(TNetworkRecord)

class TestLatencyLayout : public QObject
{
    Q_OBJECT

private slots:
    void recordsByteForByte();
    void networkRepairs_data();
    void networkRepairs();
    void readingStops_data();
    void readingStops();
    void writtenLayoutReadsBack();
};

void TestLatencyLayout::recordsByteForByte()
{
    QCOMPARE(hex(encodeNodeRecord({64, 5})), QByteArray("40 00 00 00 05 00 00 00"));
    const std::vector<uint8_t> record = encodeNetworkRecord(network(10, nbEthernet, 72, 7, 136));
    QCOMPARE(hex(record),
             QByteArray("00 00 20 41 04 00 00 00 48 00 00 00 07 00 00 00 88 00 00 00"));

    // Padding is not read; a short record is not trusted at all.
    std::vector<uint8_t> padded = record;
    padded[5] = padded[6] = padded[7] = 0xff;
    QCOMPARE(hex(encodeNetworkRecord(*decodeNetworkRecord(padded))), hex(record));
    QVERIFY(!decodeNetworkRecord(std::vector<uint8_t>(record.begin(), record.end() - 1)));
    QVERIFY(!decodeNodeRecord(std::vector<uint8_t>(7, 0)));
    QCOMPARE(decodeNodeRecord(encodeNodeRecord({-3, INT32_MIN}))->ProcessTime, INT32_MIN);
}

void TestLatencyLayout::networkRepairs_data()
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    QTest::addColumn<TNetworkRecord>("stored");
    QTest::addColumn<TNetworkRecord>("repaired");

    QTest::newRow("sound") << network(1.544f, nbTCarrier, 143, 5, 136)
                           << network(1.544f, nbTCarrier, 143, 5, 136);
    QTest::newRow("node A's kind")
        << network(10, nbDesktopCPU, 8, 3, 8) << network(10, nbUnknownNetwork, 8, 3, 8);
    QTest::newRow("node B's kind")
        << network(10, nbTowerCPU, 8, 3, 8) << network(10, nbUnknownNetwork, 8, 3, 8);
    QTest::newRow("kind 255") << network(10, 255, 8, 3, 8)
                              << network(10, nbUnknownNetwork, 8, 3, 8);
    QTest::newRow("negative bandwidth")
        << network(-5, nbATM, 8, 0, 8) << network(0, nbATM, 8, 0, 8);
    QTest::newRow("NaN bandwidth") << network(nan, nbATM, 8, 0, 8) << network(0, nbATM, 8, 0, 8);
    QTest::newRow("infinite bandwidth")
        << network(inf, nbFDDI, 8, 0, 8) << network(0, nbFDDI, 8, 0, 8);
    QTest::newRow("lowest delay") << network(10, nbX25, 8, INT32_MIN, 8)
                                  << network(10, nbX25, 8, 0, 8);
    // Kept on the 268 x 258 panel, whole: a 50-pixel element starts at 218
    // across and 208 down at the most.
    QTest::newRow("left and above the panel")
        << network(1, nbATM, -40000, 0, INT32_MIN) << network(1, nbATM, 0, 0, 0);
    QTest::newRow("right of and below the panel")
        << network(1, nbATM, INT32_MAX, 0, 1 << 30) << network(1, nbATM, 218, 0, 208);
}

void TestLatencyLayout::networkRepairs()
{
    QFETCH(TNetworkRecord, stored);
    QFETCH(TNetworkRecord, repaired);
    MemoryStore store = storeOf(1);
    store.bytes["Network1"] = encodeNetworkRecord(stored);
    TLatencyLayout layout;
    readLatencyLayout(store, layout);
    QCOMPARE(layout.Networks.size(), size_t(1));
    QCOMPARE(hex(encodeNetworkRecord(*layout.Networks[0].Record)),
             hex(encodeNetworkRecord(repaired)));
}

void TestLatencyLayout::readingStops_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<bool>("nodes");
    QTest::addColumn<int>("networks");
    QTest::addColumn<bool>("lastNamed");

    QTest::newRow("all read") << 3 << "" << true << 3 << true;
    QTest::newRow("more than fourteen stored") << 99 << "" << true << 14 << true;
    QTest::newRow("none stored") << 0 << "" << true << 0 << false;
    QTest::newRow("negative count") << -4 << "" << true << 0 << false;
    QTest::newRow("node A unreadable") << 3 << "NodeA" << false << 0 << false;
    QTest::newRow("count unreadable") << 3 << "NumNetworks" << true << 0 << false;
    QTest::newRow("second record unreadable") << 3 << "Network2" << true << 1 << true;
    QTest::newRow("second name unreadable") << 3 << "Network2Name" << true << 2 << false;
}

void TestLatencyLayout::readingStops()
{
    QFETCH(int, stored);
    QFETCH(QString, refused);
    QFETCH(bool, nodes);
    QFETCH(int, networks);
    QFETCH(bool, lastNamed);
    MemoryStore store = storeOf(stored);
    store.refused = refused.toStdString();
    TLatencyLayout layout;
    try {
        readLatencyLayout(store, layout);
        QVERIFY(refused.isEmpty());
    } catch (const EZentrixError& error) {
        QCOMPARE(QString(error.what()), "Invalid data type for '" + refused + "'");
    }
    QCOMPARE(bool(layout.NodeA), nodes);
    QCOMPARE(int(layout.Networks.size()), networks);
    if (networks > 0) {
        QCOMPARE(layout.Networks.front().Name, std::optional<std::string>("net 1"));
        QCOMPARE(bool(layout.Networks.back().Name), lastNamed);
        QCOMPARE(layout.Networks.back().Record->PropagationDelay, networks);
    }
}

void TestLatencyLayout::writtenLayoutReadsBack()
{
    TLatencyLayout layout;
    layout.NodeA = TNodeRecord{64, 10};
    layout.NodeB = TNodeRecord{1024, 20};
    layout.Networks.push_back({network(1.544f, nbTCarrier, 143, 5, 136), "T1"});
    layout.Networks.push_back({network(10, nbEthernet, 8, 0, 200), "Büro-LAN \"2\""});
    layout.Networks.push_back({std::nullopt, std::nullopt});
    // A longer chain written before: its last values stay, unread.
    MemoryStore store = storeOf(5);
    writeLatencyLayout(store, layout);
    QCOMPARE(store.integers["NumNetworks"], 3);
    QVERIFY(store.strings.count("Network5Name"));

    TLatencyLayout read;
    readLatencyLayout(store, read);
    QCOMPARE(read.NodeA->PacketSize, 64);
    QCOMPARE(read.NodeB->ProcessTime, 20);
    QCOMPARE(read.Networks.size(), size_t(3));
    for (size_t i = 0; i < 2; ++i) {
        QCOMPARE(hex(encodeNetworkRecord(*read.Networks[i].Record)),
                 hex(encodeNetworkRecord(*layout.Networks[i].Record)));
        QCOMPARE(read.Networks[i].Name, layout.Networks[i].Name);
    }
    // Absent on writing, absent again on reading (the name reads empty).
    QVERIFY(!read.Networks[2].Record);
    QCOMPARE(read.Networks[2].Name, std::optional<std::string>(""));
}

QTEST_APPLESS_MAIN(TestLatencyLayout)
#include "tst_latencylayout.moc"
