#include "ipaddress/IPAddress.h"
#include "subnet/SubnetTable.h"

#include <QtTest>

#include <vector>

namespace {

struct Row
{
    QString number;
    QString range;
};

std::vector<Row> rowsOf(const TIPAddSubnet& subnet)
{
    std::vector<Row> rows;
    int32_t expectedNumber = 0;
    subnettable::forEachRow(
        subnet, [&](int32_t number, const QString& numberCell, const QString& rangeCell) {
            // Rows come in order, numbered from 0 without gaps.
            if (number != expectedNumber++)
                rows.push_back({QStringLiteral("out of order"), QString()});
            rows.push_back({numberCell, rangeCell});
        });
    return rows;
}

TIPAddSubnet subnetAt(const char* address, int bits)
{
    uint32_t value = 0;
    for (const QString& octet : QString::fromLatin1(address).split(QLatin1Char('.')))
        value = value << 8 | octet.toUInt();
    TIPAddSubnet subnet;
    subnet.SetAddress(value);
    subnet.SetSubnetBits(static_cast<uint8_t>(bits));
    return subnet;
}

} // namespace

class TestSubnetTable : public QObject
{
    Q_OBJECT

private slots:
    void listsEverySubnetUpToTheCap_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("last");

        QTest::newRow("class B, 8 bits")
            << "128.0.0.1" << 8 << 256 << QStringList{"    0", "128.0.0.1  -  128.0.0.254"}
            << QStringList{"    1", "128.0.1.1  -  128.0.1.254"}
            << QStringList{"  255", "128.0.255.1  -  128.0.255.254"};
        QTest::newRow("class C, 2 bits")
            << "200.1.2.3" << 2 << 4 << QStringList{"    0", "200.1.2.1  -  200.1.2.62"}
            << QStringList{"    1", "200.1.2.65  -  200.1.2.126"}
            << QStringList{"    3", "200.1.2.193  -  200.1.2.254"};
        QTest::newRow("class A, 1 bit")
            << "10.20.30.40" << 1 << 2 << QStringList{"    0", "10.0.0.1  -  10.127.255.254"}
            << QStringList{"    1", "10.128.0.1  -  10.255.255.254"}
            << QStringList{"    1", "10.128.0.1  -  10.255.255.254"};
        QTest::newRow("class A, 15 bits: capped at 16384")
            << "10.0.0.1" << 15 << 16385 << QStringList{"    0", "10.0.0.1  -  10.0.1.254"}
            << QStringList{"    1", "10.0.2.1  -  10.0.3.254"}
            << QStringList{"16384", "10.128.0.1  -  10.128.1.254"};
        // After the last row the cursor steps past the last class C network.
        QTest::newRow("last class C network")
            << "223.255.255.9" << 6 << 64 << QStringList{"    0", "223.255.255.1  -  223.255.255.2"}
            << QStringList{"    1", "223.255.255.5  -  223.255.255.6"}
            << QStringList{"   63", "223.255.255.253  -  223.255.255.254"};
    }

    void listsEverySubnetUpToTheCap()
    {
        QFETCH(QString, address);
        QFETCH(int, bits);
        QFETCH(int, rows);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, last);

        const TIPAddSubnet subnet = subnetAt(qPrintable(address), bits);
        QCOMPARE(subnettable::lastListedSubnet(subnet), rows - 1);
        const std::vector<Row> listed = rowsOf(subnet);
        QCOMPARE(int(listed.size()), rows);
        QCOMPARE((QStringList{listed.front().number, listed.front().range}), first);
        QCOMPARE((QStringList{listed[1 % listed.size()].number, listed[1 % listed.size()].range}),
                 second);
        QCOMPARE((QStringList{listed.back().number, listed.back().range}), last);
    }
};

QTEST_APPLESS_MAIN(TestSubnetTable)
#include "tst_subnettable.moc"
