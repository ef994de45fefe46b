#include "bits/WildcardMask.h"
#include "core/Errors.h"
#include "ipaddress/AddressText.h"

#include <QtTest>

#include <random>

// ACL wildcard masks: the worked examples of vendors' documentation, the
// CIDR list checked against the set it stands for by enumerating small
// masks whole, and a list of 2^20 blocks counted as it streams.
class TestWildcard : public QObject
{
    Q_OBJECT

    static QString fields(const WildcardMask& mask)
    {
        QStringList texts;
        for (const ViewField& field : wildcardViews(mask))
            texts << QStringLiteral("%1=%2").arg(field.key, QString::fromStdString(field.text));
        return texts.join(' ');
    }

private slots:
    void facts_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("wildcard");
        QTest::addColumn<QString>("expected");
        // Cisco ICND2: 172.30.16.0 0.0.15.255 matches 172.30.16.0/24 to
        // 172.30.31.0/24, one /20.
        QTest::newRow("contiguous, Cisco's example")
            << "172.30.16.0"
            << "0.0.15.255"
            << "address=172.30.16.0 wildcard=0.0.15.255 matches=4096 first=172.30.16.0 "
               "last=172.30.31.255 blocks=1 block_prefix=20 contiguous=true";
        // HP's access security guide: 10.28.32.1 0.0.0.31 leaves the last
        // five bits free; the address's own bits there do not count.
        QTest::newRow("host bits under the wildcard, HP's example")
            << "10.28.32.1"
            << "0.0.0.31"
            << "address=10.28.32.1 wildcard=0.0.0.31 matches=32 first=10.28.32.0 "
               "last=10.28.32.31 blocks=1 block_prefix=27 contiguous=true";
        // Cisco DCNM: "a source-wildcard of 0.255.0.64 would be valid": 9
        // ones, one /32 for each of the 512 values.
        QTest::newRow("non-contiguous, Cisco's 0.255.0.64")
            << "10.0.0.0"
            << "0.255.0.64"
            << "address=10.0.0.0 wildcard=0.255.0.64 matches=512 first=10.0.0.0 "
               "last=10.255.0.64 blocks=512 block_prefix=32 contiguous=false";
        QTest::newRow("every other /24")
            << "10.0.0.0"
            << "0.255.0.255"
            << "address=10.0.0.0 wildcard=0.255.0.255 matches=65536 first=10.0.0.0 "
               "last=10.255.0.255 blocks=256 block_prefix=24 contiguous=false";
        QTest::newRow("this host") << "192.0.2.7"
                                   << "0.0.0.0"
                                   << "address=192.0.2.7 wildcard=0.0.0.0 matches=1 "
                                      "first=192.0.2.7 last=192.0.2.7 blocks=1 block_prefix=32 "
                                      "contiguous=true";
        QTest::newRow("any") << "0.0.0.0"
                             << "255.255.255.255"
                             << "address=0.0.0.0 wildcard=255.255.255.255 matches=4294967296 "
                                "first=0.0.0.0 last=255.255.255.255 blocks=1 block_prefix=0 "
                                "contiguous=true";
        QTest::newRow("a netmask typed for a wildcard")
            << "10.1.2.0"
            << "255.255.255.0"
            << "address=10.1.2.0 wildcard=255.255.255.0 matches=16777216 first=0.0.0.0 "
               "last=255.255.255.0 blocks=16777216 block_prefix=32 contiguous=false "
               "netmask_prefix=24 netmask_wildcard=0.0.0.255";
        QTest::newRow("IPv6, all of it")
            << "::"
            << "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"
            << "address=:: wildcard=ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff "
               "matches=340282366920938463463374607431768211456 first=:: "
               "last=ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff blocks=1 block_prefix=0 "
               "contiguous=true";
        QTest::newRow("IPv6, the interface IDs of every /64 of a /48")
            << "2001:db8::"
            << "0:0:0:ffff:0:0:0:ffff"
            << "address=2001:db8:: wildcard=::ffff:0:0:0:ffff matches=4294967296 "
               "first=2001:db8:: last=2001:db8:0:ffff::ffff blocks=65536 block_prefix=112 "
               "contiguous=false";
        QTest::newRow("families differ") << "10.0.0.0"
                                         << "::ff"
                                         << "The wildcard mask '::ff' is IPv6 but the address "
                                            "is IPv4";
        QTest::newRow("no address") << "10.0.0"
                                    << "0.0.0.255"
                                    << "'10.0.0' is not an address: expected an IPv4 address "
                                       "(four numbers 0 to 255 joined by '.') or an IPv6 address";
    }

    void facts()
    {
        QFETCH(QString, address);
        QFETCH(QString, wildcard);
        QFETCH(QString, expected);
        try {
            QCOMPARE(fields(readWildcardMask(address.toStdString(), wildcard.toStdString())),
                     expected);
        } catch (const EZentrixError& error) {
            QCOMPARE(QString(error.what()), expected);
        }
    }

    // Small masks in the last 16 bits, every address of the /16 tried: an
    // address is in the CIDR list exactly when it matches the wildcard by
    // its definition, the list is in address order, and it has
    // 2^(ones - trailing ones) blocks, each of the same size.
    void smallMasksEnumerated()
    {
        std::mt19937 random(29);
        for (int round = 0; round < 16; ++round) {
            const uint32_t base = 0x0A140000u | (random() & 0xFFFF);
            const uint32_t wildcard = random() & random() & 0xFFFF;
            const WildcardMask mask =
                readWildcardMask(addresstext::ipv4Text(base), addresstext::ipv4Text(wildcard));
            std::vector<bool> listed(65536, false);
            WildcardBlocks blocks(mask);
            CidrBlock block;
            uint64_t count = 0;
            uint32_t next = 0; // the lowest address a next block may start at
            while (blocks.next(block)) {
                const uint32_t first = uint32_t(block.address.lo);
                QVERIFY(first >= next);
                QCOMPARE(block.address, block.network());
                QCOMPARE(block.address, mask.blockAt(count).address);
                next = uint32_t(block.last().lo) + 1;
                for (uint32_t a = first; a != next; ++a)
                    listed[a & 0xFFFF] = true;
                ++count;
            }
            QCOMPARE(count, uint64_t(1) << mask.blockCountBits());
            int wrong = 0;
            for (uint32_t low = 0; low < 65536; ++low) {
                const uint32_t address = 0x0A140000u | low;
                const bool matches = ((address ^ base) & ~wildcard) == 0;
                wrong += listed[low] != matches || mask.matches(address) != matches;
            }
            QVERIFY2(wrong == 0,
                     qPrintable(QStringLiteral("%1 %2: %3 addresses wrong")
                                    .arg(QString::fromStdString(addresstext::ipv4Text(base)),
                                         QString::fromStdString(addresstext::ipv4Text(wildcard)))
                                    .arg(wrong)));
        }
    }

    // 2^20 blocks stream one at a time, none kept.
    void largeListCounted()
    {
        const WildcardMask mask = readWildcardMask("10.0.0.0", "0.255.255.240");
        QCOMPARE(mask.blockCountBits(), 20u);
        WildcardBlocks blocks(mask);
        CidrBlock block;
        uint64_t count = 0;
        Uint128 previous;
        while (blocks.next(block)) {
            if (count > 0 && !(previous < block.address))
                QFAIL("blocks out of order");
            previous = block.address;
            ++count;
        }
        QCOMPARE(count, uint64_t(1) << 20);
        QCOMPARE(QString::fromStdString(addresstext::ipv4Text(uint32_t(previous.lo))),
                 QString("10.255.255.240"));
        QCOMPARE(block.prefix, uint8_t(32));
    }
};

QTEST_APPLESS_MAIN(TestWildcard)
#include "tst_wildcard.moc"
