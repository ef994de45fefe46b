#include "ipaddress/AddressRegistry.h"
#include "ipaddress/AddressSet.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/ReverseZones.h"

#include <QtTest>

#include <random>

// The classless models against what is written down elsewhere: the IANA
// special-purpose registries, the reverse zones of RFC 2317 and RFC 3596,
// and a plain bitmap of addresses for the prefix sets. Python's ipaddress
// checks the rest through zentrix-cli (tests/cli/reference.py).
class TestCidr : public QObject
{
    Q_OBJECT

    static CidrBlock block(const QString& text)
    {
        CidrBlock read;
        std::string expected;
        if (!cidrtext::readBlock(text.toStdString(), read, expected))
            qFatal("bad block %s", qPrintable(text));
        return read;
    }

private slots:
    // The registries' entries as the issue that asked for them lists them,
    // with "globally reachable" (G yes, N no, - not applicable), and the
    // space around them. Each row is a network or an address and what the
    // registry makes of it.
    void registry_data()
    {
        QTest::addColumn<QString>("network");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("reach"); // "G", "N" or "-"; "private" for N and private use

        const auto row = [](const char* network, const char* type, const char* reach) {
            QTest::newRow(network) << network << type << reach;
        };
        row("0.0.0.0/8", "this network", "N");
        row("10.0.0.0/8", "private", "private");
        row("100.64.0.0/10", "shared", "N");
        row("127.0.0.0/8", "loopback", "N");
        row("169.254.0.0/16", "link-local", "N");
        row("172.16.0.0/12", "private", "private");
        row("172.31.255.255", "private", "private");
        row("192.0.0.0/24", "protocol assignments", "N");
        row("192.0.0.8", "protocol assignments", "N");
        row("192.0.0.9/32", "PCP anycast", "G");
        row("192.0.0.10/32", "TURN anycast", "G");
        // The block holds .9 (G) and .8 (N): not every address is reachable.
        row("192.0.0.8/30", "protocol assignments", "N");
        row("192.0.2.0/24", "documentation", "N");
        row("192.31.196.0/24", "AS112", "G");
        row("192.52.193.0/24", "AMT", "G");
        row("192.88.99.0/24", "6to4 relay anycast", "-");
        row("192.168.0.0/16", "private", "private");
        row("192.175.48.0/24", "AS112", "G");
        row("198.18.0.0/15", "benchmarking", "N");
        row("198.51.100.0/24", "documentation", "N");
        row("203.0.113.0/24", "documentation", "N");
        row("240.0.0.0/4", "reserved", "N");
        row("255.255.255.254", "reserved", "N");
        row("255.255.255.255/32", "limited broadcast", "N");
        row("224.0.0.0/4", "multicast", "G");
        row("8.8.8.8", "public", "G");
        row("11.0.0.0/8", "public", "G");
        // Across entries: an AS112 block and the public one beside it are
        // reachable throughout; a private block and a public one are not.
        row("192.31.196.0/23", "mixed", "G");
        row("10.0.0.0/7", "mixed", "N");
        row("0.0.0.0/0", "mixed", "N");

        row("::1/128", "loopback", "N");
        row("::/128", "unspecified", "N");
        row("::ffff:0:0/96", "IPv4-mapped", "N");
        row("64:ff9b::/96", "NAT64", "G");
        row("64:ff9b:1::/48", "local NAT64", "N");
        row("100::/64", "discard-only", "N");
        row("2001::/23", "protocol assignments", "N");
        row("2001:100::", "protocol assignments", "N");
        row("2001::/32", "Teredo", "-");
        row("2001:1::1/128", "PCP anycast", "G");
        row("2001:1::2/128", "TURN anycast", "G");
        row("2001:1::3", "protocol assignments", "N");
        row("2001:2::/48", "benchmarking", "N");
        row("2001:3::/32", "AMT", "G");
        row("2001:4:112::/48", "AS112", "G");
        row("2001:20::/28", "ORCHIDv2", "G");
        row("2001:30::/28", "drone remote ID", "G");
        row("2001:db8::/32", "documentation", "N");
        row("2002::/16", "6to4", "-");
        row("2620:4f:8000::/48", "AS112", "G");
        row("3fff::/20", "documentation", "N");
        row("5f00::/16", "segment routing", "N");
        row("fc00::/7", "unique local", "private");
        row("fe80::/10", "link-local", "N");
        row("ff00::/8", "multicast", "G");
        row("2400:cb00::1", "global unicast", "G");
        row("8000::/3", "reserved by IETF", "G");
        // 4000::/3 holds segment routing's 5f00::/16, which is not reachable.
        row("4000::/3", "mixed", "N");
        // 2001:4::/32 lies in 2001::/23 and holds AS112's /48: the /23 names
        // it, and its other addresses are not reachable.
        row("2001:4::/32", "protocol assignments", "N");
        row("2000::/3", "mixed", "N");
        row("::/0", "mixed", "N");
    }

    void registry()
    {
        QFETCH(QString, network);
        QFETCH(QString, type);
        QFETCH(QString, reach);
        const AddressKind kind = addressKind(block(network));
        QCOMPARE(QString::fromStdString(std::string(kind.type)), type);
        QCOMPARE(kind.global, reach == "G");
        QCOMPARE(kind.privateUse, reach == "private");
    }

    // Reverse zones: the examples of RFC 2317 (section 4) and RFC 3596
    // (section 2.5), and rows worked by hand.
    void reverseZones_data()
    {
        QTest::addColumn<QString>("network");
        QTest::addColumn<QStringList>("zones");

        // RFC 2317: a /25 and two /26 of 192.0.2.0/24 are delegated as
        // <first octet>/<prefix> under the /24's zone.
        QTest::newRow("RFC 2317 /25") << "192.0.2.0/25" << QStringList{"0/25.2.0.192.in-addr.arpa"};
        QTest::newRow("RFC 2317 /26 at 128")
            << "192.0.2.128/26" << QStringList{"128/26.2.0.192.in-addr.arpa"};
        QTest::newRow("RFC 2317 /26 at 192")
            << "192.0.2.192/26" << QStringList{"192/26.2.0.192.in-addr.arpa"};
        // Host bits are dropped: .77/26 is the /26 that starts at .64.
        QTest::newRow("host bits set")
            << "192.0.2.77/26" << QStringList{"64/26.2.0.192.in-addr.arpa"};
        // A /32 is its own RFC 2317 zone.
        QTest::newRow("host route") << "192.0.2.5/32" << QStringList{"5/32.2.0.192.in-addr.arpa"};
        // Octet boundaries are zones of their own: 10/8, 172.16/16, 192.0.2/24.
        QTest::newRow("a /8") << "10.0.0.0/8" << QStringList{"10.in-addr.arpa"};
        QTest::newRow("a /16") << "172.16.0.0/16" << QStringList{"16.172.in-addr.arpa"};
        QTest::newRow("a /24") << "192.0.2.0/24" << QStringList{"2.0.192.in-addr.arpa"};
        // A /22 is four /24s: third octets 0 to 3.
        QTest::newRow("a /22") << "10.0.0.0/22"
                               << QStringList{"0.0.10.in-addr.arpa", "1.0.10.in-addr.arpa",
                                              "2.0.10.in-addr.arpa", "3.0.10.in-addr.arpa"};
        // A /15 is two /16s: second octets 16 and 17.
        QTest::newRow("a /15") << "172.16.0.0/15"
                               << QStringList{"16.172.in-addr.arpa", "17.172.in-addr.arpa"};
        // Shorter than /8: its /8 zones. A /6 at 0 spans first octets 0 to 3.
        QTest::newRow("a /6") << "0.0.0.0/6"
                              << QStringList{"0.in-addr.arpa", "1.in-addr.arpa", "2.in-addr.arpa",
                                             "3.in-addr.arpa"};
        // IPv6 zones fall on nibbles. 2001:db8::/32 is the nibbles 2 0 0 1
        // 0 d b 8, reversed.
        QTest::newRow("IPv6 /32") << "2001:db8::/32" << QStringList{"8.b.d.0.1.0.0.2.ip6.arpa"};
        // A /30 is four /32s: the eighth nibble 8 to b.
        QTest::newRow("IPv6 /30") << "2001:db8::/30"
                                  << QStringList{
                                         "8.b.d.0.1.0.0.2.ip6.arpa", "9.b.d.0.1.0.0.2.ip6.arpa",
                                         "a.b.d.0.1.0.0.2.ip6.arpa", "b.b.d.0.1.0.0.2.ip6.arpa"};
        // A /44 is eleven nibbles: 2 0 0 1 0 d b 8 0 a b of 2001:0db8:0abc::.
        QTest::newRow("IPv6 /44") << "2001:db8:abc::/44"
                                  << QStringList{"b.a.0.8.b.d.0.1.0.0.2.ip6.arpa"};
        // A /63 is the two /64s that differ in the sixteenth nibble.
        QTest::newRow("IPv6 /63") << "2001:db8:0:a::/63"
                                  << QStringList{"a.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa",
                                                 "b.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa"};
        QTest::newRow("all of IPv6") << "::/0" << QStringList{"ip6.arpa"};
        // RFC 3596's example address, as a /128: the 32 nibbles reversed.
        QTest::newRow("RFC 3596 address")
            << "4321:0:1:2:3:4:567:89ab/128"
            << QStringList{
                   "b.a.9.8.7.6.5.0.4.0.0.0.3.0.0.0.2.0.0.0.1.0.0.0.0.0.0.0.1.2.3.4.ip6.arpa"};
    }

    void reverseZones()
    {
        QFETCH(QString, network);
        QFETCH(QStringList, zones);
        QStringList got;
        reversezones::forEachZone(block(network),
                                  [&got](const CidrBlock&, const std::string& zone) {
                                      got << QString::fromStdString(zone);
                                  });
        QCOMPARE(got, zones);
        // A PTR name is the zone of the address's host route, for IPv6; for
        // IPv4 the four octets reversed.
        const CidrBlock host = block(network.section('/', 0, 0));
        const QString ptr =
            QString::fromStdString(reversezones::ptrName(host.family, host.address));
        if (host.family == AddressFamily::IPv6 && network.endsWith("/128"))
            QCOMPARE(ptr, zones.first());
        if (network == "192.0.2.5/32")
            QCOMPARE(ptr, QString("5.2.0.192.in-addr.arpa"));
    }

    // The set, its difference and its intersection against a bitmap of the
    // same addresses, with more ranges than one piece of the set holds, in
    // both families (an IPv4 piece holds 65,536 ranges, an IPv6 one 16,384).
    void addressSetMatchesBitmap_data()
    {
        QTest::addColumn<bool>("ipv6");
        QTest::addColumn<int>("ranges");
        QTest::newRow("IPv4") << false << 300000;
        QTest::newRow("IPv6") << true << 60000;
    }

    void addressSetMatchesBitmap()
    {
        QFETCH(bool, ipv6);
        QFETCH(int, ranges);
        // A million addresses from a base, so that ranges meet often.
        constexpr uint32_t Span = 1u << 20;
        const AddressFamily family = ipv6 ? AddressFamily::IPv6 : AddressFamily::IPv4;
        const Uint128 base = ipv6 ? Uint128(0x20010DB800000000u, 0) : Uint128(0x0A000000u);
        std::mt19937 random(20240613);
        std::vector<bool> inA(Span), inB(Span);
        AddressSet a, b;
        for (int i = 0; i < ranges; ++i) {
            const bool toB = i % 3 == 0;
            const uint32_t first = random() % Span;
            const uint32_t length = random() % 8 == 0 ? random() % 4096 : random() % 24;
            const uint32_t last = std::min(Span - 1, first + length);
            (toB ? b : a).add({family, base + Uint128(first), base + Uint128(last)});
            std::fill((toB ? inB : inA).begin() + first, (toB ? inB : inA).begin() + last + 1,
                      true);
        }
        const auto runs = [&](const std::vector<bool>& bits) {
            QStringList texts;
            for (uint32_t i = 0; i < Span;) {
                if (!bits[i]) {
                    ++i;
                    continue;
                }
                uint32_t j = i;
                while (j + 1 < Span && bits[j + 1])
                    ++j;
                texts << QString("%1-%2").arg(i).arg(j);
                i = j + 1;
            }
            return texts;
        };
        const auto read = [&](RangeCursor& cursor) {
            QStringList texts;
            AddressRange range;
            while (cursor.next(range)) {
                if (range.family != family)
                    return QStringList{"wrong family"};
                texts << QString("%1-%2").arg((range.first - base).lo).arg((range.last - base).lo);
            }
            return texts;
        };
        std::vector<bool> onlyA(Span), both(Span);
        for (uint32_t i = 0; i < Span; ++i) {
            onlyA[i] = inA[i] && !inB[i];
            both[i] = inA[i] && inB[i];
        }
        QCOMPARE(read(*a.ranges()), runs(inA));
        QCOMPARE(read(*differenceOf(*a.ranges(), *b.ranges())), runs(onlyA));
        QCOMPARE(read(*intersectionOf(*a.ranges(), *b.ranges())), runs(both));
    }
};

QTEST_APPLESS_MAIN(TestCidr)
#include "tst_cidr.moc"
