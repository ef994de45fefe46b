#include "core/Errors.h"
#include "ipaddress/IPAddress.h"

#include <QtTest>

#include <random>
#include <type_traits>

namespace {

uint32_t ip(const QString& dotted)
{
    uint32_t value = 0;
    for (const QString& octet : dotted.split('.'))
        value = value << 8 | octet.toUInt();
    return value;
}

QString dec(const TIPAddress& address)
{
    return QString::fromStdString(address.DecimalText());
}

// Applies a script such as "addr 200.1.2.3; bits 7" to a model, so that the
// tables read like the steps a user takes.
template <class T> void run(T& model, const QString& script)
{
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        const QStringList word = step.simplified().split(' ');
        const auto arg = [&](int i) { return static_cast<uint8_t>(word.value(i).toUInt()); };
        if (word[0] == "addr")
            model.SetAddress(ip(word.value(1)));
        else if (word[0] == "byte")
            model.SetByte(arg(1), arg(2));
        else if (word[0] == "getbyte")
            model.GetByte(arg(1));
        else if (word[0] == "makemask")
            TIPAddMask::MakeMask(arg(1), arg(2));
        else if (word[0] == "class") {
            if constexpr (std::is_base_of_v<TIPAddClass, T>)
                model.SetClassType(TAddressClass(arg(1)));
        } else if (word[0] == "bits") {
            if constexpr (std::is_same_v<T, TIPAddSubnet>)
                model.SetSubnetBits(arg(1));
            else if constexpr (std::is_same_v<T, TIPAddSupernet>)
                model.SetSupernetBits(arg(1));
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }
}

template <class T> QString describe(const T& m)
{
    QString text = dec(m);
    if constexpr (std::is_base_of_v<TIPAddMask, T>)
        text += QString(" class %1/%2 ").arg(m.ClassType()).arg(m.NetworkBits()) +
                dec(m.ClassMask()) + " " + dec(m.RangeMask());
    if constexpr (std::is_same_v<T, TIPAddSubnet>)
        text += QString(" bits %1 ").arg(m.SubnetBits()) + dec(m.SubnetMask());
    if constexpr (std::is_same_v<T, TIPAddSupernet>)
        text += QString(" bits %1").arg(m.SupernetBits());
    return text;
}

// The message of the error the script raises, or what went wrong instead.
template <class T> QString errorOf(const QString& script)
{
    T model;
    run(model, "addr 10.1.2.3"); // any half-done change would show against this
    const QString before = describe(model);
    try {
        run(model, script);
    } catch (const EZentrixError& e) {
        return describe(model) == before ? e.what() : "changed to " + describe(model);
    }
    return "no error";
}

int classOf(int firstOctet)
{
    return firstOctet < 128   ? 0
           : firstOctet < 192 ? 1
           : firstOctet < 224 ? 2
           : firstOctet < 240 ? 3
                              : 4;
}

QString subnetBreach(const TIPAddSubnet& s)
{
    const int nb = s.NetworkBits(), bits = s.SubnetBits(), first = s.GetByte(0);
    if (s.ClassType() > 2 || nb != 8 * (s.ClassType() + 1) || classOf(first) != s.ClassType() ||
        first == 0 || first == 127)
        return "class " + describe(s);
    if (s.MaxSubnetBits() != 30 - nb || bits < 1 || bits > 30 - nb)
        return "bits " + describe(s);
    if (s.ClassMask().GetAddress() != TIPAddMask::MakeMask(31, nb) ||
        s.RangeMask().GetAddress() != TIPAddMask::MakeMask(31 - nb, bits) ||
        s.SubnetMask().GetAddress() != (s.ClassMask().GetAddress() | s.RangeMask().GetAddress()))
        return "masks " + describe(s);
    if (int64_t(s.MaxHosts() + 2) * s.MaxSubnets() != int64_t(1) << (32 - nb))
        return "counts " + describe(s);
    return {};
}

QString supernetBreach(const TIPAddSupernet& s)
{
    const int nb = s.NetworkBits(), bits = s.SupernetBits();
    if (s.ClassType() > 2 || nb != 8 * (s.ClassType() + 1) ||
        classOf(s.GetByte(0)) != s.ClassType())
        return "class " + describe(s);
    if (bits < 1 || bits > nb || s.RangeMask().GetAddress() != TIPAddMask::MakeMask(31, bits))
        return "bits " + describe(s);
    if (s.SupernetCount() != 1 << (nb - bits) ||
        uint64_t(s.RangeEnd().GetAddress()) - s.Route().GetAddress() + 1 != uint64_t(1)
                                                                                << (32 - bits))
        return "range " + describe(s);
    return {};
}

} // namespace

class TestIPAddress : public QObject
{
    Q_OBJECT

private slots:
    void dottedForms_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("hex");
        QTest::addColumn<int>("last");
        // clang-format off
        QTest::newRow("zero") << "" << "0.0.0.0" << "00.00.00.00" << 0;
        QTest::newRow("private") << "addr 192.168.1.10" << "192.168.1.10" << "C0.A8.01.0A" << 10;
        QTest::newRow("padded hex") << "addr 10.1.2.3" << "10.1.2.3" << "0A.01.02.03" << 3;
        QTest::newRow("all ones") << "addr 255.255.255.255" << "255.255.255.255" << "FF.FF.FF.FF" << 255;
        QTest::newRow("octet writes") << "byte 3 254; byte 2 99; byte 1 100; byte 0 7" << "7.100.99.254" << "07.64.63.FE" << 254;
        // clang-format on
    }
    void dottedForms()
    {
        QFETCH(QString, script);
        QFETCH(QString, decimal);
        QFETCH(QString, hex);
        QFETCH(int, last);
        TIPAddress address;
        run(address, script);
        QCOMPARE(QString::fromStdString(address.DecimalText()), decimal);
        QCOMPARE(QString::fromStdString(address.HexText()), hex);
        QCOMPARE(int(address.GetByte(0)), decimal.section('.', 0, 0).toInt());
        QCOMPARE(int(address.GetByte(3)), last);
    }

    void classification_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("classMask");
        const char* masks[] = {"255.0.0.0", "255.255.0.0", "255.255.255.0", "0.0.0.0", "0.0.0.0"};
        for (int first : {0, 127, 128, 191, 192, 223, 224, 239, 240, 255})
            QTest::addRow("first octet %d", first)
                << first << QString(QChar('A' + classOf(first))) << masks[classOf(first)];
    }
    void classification()
    {
        QFETCH(int, first);
        QFETCH(QString, letter);
        QFETCH(QString, classMask);
        // Writing the whole address and writing the first octet must agree.
        TIPAddMask byAddress, byByte;
        byAddress.SetAddress(uint32_t(first) << 24 | 0x010203);
        byByte.SetByte(0, uint8_t(first == 0 ? 1 : 0)); // so that the next write is a change
        byByte.SetByte(0, uint8_t(first));
        for (const TIPAddMask* m : {&byAddress, &byByte}) {
            QCOMPARE(QString(m->ClassLetter()), letter);
            QCOMPARE(int(m->ClassType()), classOf(first));
            QCOMPARE(int(m->NetworkBits()), classOf(first) < 3 ? 8 * (classOf(first) + 1) : 0);
            QCOMPARE(m->ClassMask().GetAddress(), TIPAddMask::MakeMask(31, m->NetworkBits()));
            QCOMPARE(dec(m->ClassMask()), classMask);
        }
    }

    void classLayers_data()
    {
        QTest::addColumn<bool>("isNetwork");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("address");
        // clang-format off
        QTest::newRow("new first octet reclassifies") << false << "addr 10.1.2.3; byte 0 200" << "200.1.2.3";
        QTest::newRow("other octets keep the class") << false << "addr 10.1.2.3; byte 1 200" << "10.200.2.3";
        QTest::newRow("class D") << false << "addr 230.0.0.1" << "230.0.0.1";
        QTest::newRow("choose B") << false << "addr 10.1.2.3; class 1" << "128.1.2.3";
        QTest::newRow("choose A writes 1") << false << "addr 128.1.2.3; class 0" << "1.1.2.3";
        QTest::newRow("current class keeps octet") << false << "addr 150.1.2.3; class 1" << "150.1.2.3";
        QTest::newRow("choose E") << false << "addr 10.1.2.3; class 4" << "240.1.2.3";
        QTest::newRow("network: 0 -> 1") << true << "addr 10.1.2.3; byte 0 0" << "1.1.2.3";
        QTest::newRow("network: class 4 -> C") << true << "addr 10.1.2.3; class 4" << "192.1.2.3";
        QTest::newRow("network: address 240 -> 223") << true << "addr 240.1.2.3" << "223.1.2.3";
        // clang-format on
    }
    void classLayers()
    {
        QFETCH(bool, isNetwork);
        QFETCH(QString, script);
        QFETCH(QString, address);
        TIPAddMask mask;
        TIPAddNetwork network;
        TIPAddMask& model = isNetwork ? static_cast<TIPAddMask&>(network) : mask;
        run(model, script);
        QCOMPARE(dec(model), address);
        QCOMPARE(int(model.ClassType()), classOf(model.GetByte(0)));
        QCOMPARE(model.ClassMask().GetAddress(), TIPAddMask::MakeMask(31, model.NetworkBits()));
        QCOMPARE(model.RangeMask().GetAddress(), 0u);
    }

    void makeMask_data()
    {
        QTest::addColumn<int>("startBit");
        QTest::addColumn<int>("numBits");
        QTest::addColumn<QString>("mask");
        QTest::newRow("class A") << 31 << 8 << "255.0.0.0";
        QTest::newRow("class C") << 31 << 24 << "255.255.255.0";
        QTest::newRow("third octet") << 15 << 8 << "0.0.255.0";
        QTest::newRow("inside octets") << 23 << 6 << "0.252.0.0";
        QTest::newRow("no bits") << 31 << 0 << "0.0.0.0";
        QTest::newRow("all bits") << 31 << 32 << "255.255.255.255";
        QTest::newRow("lowest bit") << 0 << 1 << "0.0.0.1";
    }
    void makeMask()
    {
        QFETCH(int, startBit);
        QFETCH(int, numBits);
        QFETCH(QString, mask);
        QCOMPARE(dec(TIPAddress(TIPAddMask::MakeMask(uint8_t(startBit), uint8_t(numBits)))), mask);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("message");
        const QString index = "Invalid TIPAddress Byte Index";
        const QString type = "Invalid TIPAddClass Class Type";
        const QString mask = "Invalid TIPAddMask StartBit or NumBits Value";
        // clang-format off
        QTest::newRow("address get octet 4") << "address" << "getbyte 4" << index;
        QTest::newRow("subnet set octet 4") << "subnet" << "byte 4 9" << index;
        QTest::newRow("supernet set octet 4") << "supernet" << "byte 4 0" << index;
        QTest::newRow("class type 5") << "class" << "class 5" << type;
        QTest::newRow("mask class type 255") << "mask" << "class 255" << type;
        QTest::newRow("mask start bit 32") << "mask" << "makemask 32 1" << mask;
        QTest::newRow("mask 33 bits") << "mask" << "makemask 31 33" << mask;
        QTest::newRow("mask below bit 0") << "mask" << "makemask 0 2" << mask;
        // clang-format on
    }
    void errors()
    {
        QFETCH(QString, kind);
        QFETCH(QString, script);
        QFETCH(QString, message);
        const QString result = kind == "address"  ? errorOf<TIPAddress>(script)
                               : kind == "class"  ? errorOf<TIPAddClass>(script)
                               : kind == "mask"   ? errorOf<TIPAddMask>(script)
                               : kind == "subnet" ? errorOf<TIPAddSubnet>(script)
                                                  : errorOf<TIPAddSupernet>(script);
        QCOMPARE(result, message);
    }

    void subnet_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected"); // address, class, bits, mask, subnets, hosts
        // clang-format off
        QTest::newRow("initial") << "" << "128.0.0.1 B 8 255.255.255.0 256 254";
        QTest::newRow("choose C clamps bits") << "class 2" << "192.0.0.1 C 6 255.255.255.252 64 2";
        QTest::newRow("choose A keeps bits") << "class 0" << "1.0.0.1 A 8 255.255.0.0 256 65534";
        QTest::newRow("current class") << "addr 150.1.2.3; class 1" << "150.1.2.3 B 8 255.255.255.0 256 254";
        QTest::newRow("A with 22 bits") << "class 0; bits 22" << "1.0.0.1 A 22 255.255.255.252 4194304 2";
        QTest::newRow("A with 1 bit") << "class 0; bits 1" << "1.0.0.1 A 1 255.128.0.0 2 8388606";
        QTest::newRow("bits 0 -> 1") << "bits 0" << "128.0.0.1 B 1 255.255.128.0 2 32766";
        QTest::newRow("C bits 30 -> A 22") << "class 2; bits 30" << "1.0.0.1 A 22 255.255.255.252 4194304 2";
        QTest::newRow("lowering B keeps B") << "bits 10; bits 3" << "128.0.0.1 B 3 255.255.224.0 8 8190";
        QTest::newRow("raising A keeps A") << "class 0; bits 3; bits 10" << "1.0.0.1 A 10 255.255.192.0 1024 16382";
        QTest::newRow("raising C within 6") << "class 2; bits 2; bits 5" << "192.0.0.1 C 5 255.255.255.248 32 6";
        QTest::newRow("raising C to 7 -> B") << "addr 200.1.2.3; bits 7" << "128.1.2.3 B 7 255.255.254.0 128 510";
        QTest::newRow("raising B to 15 -> A") << "bits 15" << "1.0.0.1 A 15 255.255.254.0 32768 510";
        QTest::newRow("octet 200 -> C 6") << "byte 0 200" << "200.0.0.1 C 6 255.255.255.252 64 2";
        QTest::newRow("octet 0 -> 1, A") << "byte 0 0" << "1.0.0.1 A 8 255.255.0.0 256 65534";
        QTest::newRow("A 20, octet 130 -> B 14") << "class 0; bits 20; byte 0 130" << "130.0.0.1 B 14 255.255.255.252 16384 2";
        QTest::newRow("address in A") << "addr 10.20.30.40" << "10.20.30.40 A 8 255.255.0.0 256 65534";
        QTest::newRow("address 250 -> 223") << "addr 250.1.2.3" << "223.1.2.3 C 6 255.255.255.252 64 2";
        QTest::newRow("address 0 on C -> 1, A") << "class 2; addr 0.20.30.40" << "1.20.30.40 A 6 255.252.0.0 64 262142";
        // clang-format on
    }
    void subnet()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        TIPAddSubnet s;
        run(s, script);
        QCOMPARE(QString("%1 %2 %3 %4 %5 %6")
                     .arg(dec(s), QString(s.ClassLetter()))
                     .arg(s.SubnetBits())
                     .arg(dec(s.SubnetMask()))
                     .arg(s.MaxSubnets())
                     .arg(s.MaxHosts()),
                 expected);
        const QString breach = subnetBreach(s);
        QVERIFY2(breach.isEmpty(), qPrintable(breach));
    }

    void subnetHostRange_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected"); // network, subnet, host, first, last
        // clang-format off
        QTest::newRow("initial") << "" << "128.0.0.0 0.0.0.0 0.0.0.1 128.0.0.1 128.0.0.254";
        QTest::newRow("C 2 bits, subnet 1") << "addr 200.1.2.100; bits 2" << "200.1.2.64 0.0.0.64 0.0.0.36 200.1.2.65 200.1.2.126";
        QTest::newRow("A 1 bit, lower half") << "addr 10.20.30.40; bits 1" << "10.0.0.0 0.0.0.0 0.20.30.40 10.0.0.1 10.127.255.254";
        QTest::newRow("A 1 bit, upper half") << "addr 10.200.30.40; bits 1" << "10.128.0.0 0.128.0.0 0.72.30.40 10.128.0.1 10.255.255.254";
        QTest::newRow("top of class C") << "addr 223.255.255.255" << "223.255.255.252 0.0.0.252 0.0.0.3 223.255.255.253 223.255.255.254";
        // clang-format on
    }
    void subnetHostRange()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        TIPAddSubnet s;
        run(s, script);
        QCOMPARE(QStringList({dec(s.NetworkID()), dec(s.SubnetID()), dec(s.HostID()),
                              dec(s.FirstHost()), dec(s.LastHost())})
                     .join(' '),
                 expected);
    }

    void bitMap_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("bitMap");
        QTest::newRow("initial B 8") << ""
                                     << "10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh";
        QTest::newRow("B 14") << "bits 14"
                              << "10nnnnnn.nnnnnnnn.ssssssss.sssssshh";
        QTest::newRow("C 2") << "class 2; bits 2"
                             << "110nnnnn.nnnnnnnn.nnnnnnnn.sshhhhhh";
        QTest::newRow("A 1") << "class 0; bits 1"
                             << "0nnnnnnn.shhhhhhh.hhhhhhhh.hhhhhhhh";
        QTest::newRow("A 22") << "class 0; bits 22"
                              << "0nnnnnnn.ssssssss.ssssssss.sssssshh";
    }
    void bitMap()
    {
        QFETCH(QString, script);
        QFETCH(QString, bitMap);
        TIPAddSubnet s;
        run(s, script);
        QCOMPARE(QString::fromStdString(s.BitMapText()), bitMap);
    }

    void supernet_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected"); // address, class, bits, route-end/mask, count
        // clang-format off
        QTest::newRow("initial") << "" << "192.0.0.1 C 23 192.0.0.0-192.0.1.255/255.255.254.0 2";
        QTest::newRow("25 taken as 24") << "bits 25" << "192.0.0.1 C 24 192.0.0.0-192.0.0.255/255.255.255.0 1";
        QTest::newRow("lowering to 16 keeps C") << "bits 16" << "192.0.0.1 C 16 192.0.0.0-192.0.255.255/255.255.0.0 256";
        QTest::newRow("lowering to 2 -> B") << "bits 2" << "128.0.0.1 B 2 128.0.0.0-191.255.255.255/192.0.0.0 16384";
        QTest::newRow("then 1 -> A") << "bits 2; bits 1" << "1.0.0.1 A 1 0.0.0.0-127.255.255.255/128.0.0.0 128";
        QTest::newRow("0 taken as 1 -> A") << "bits 0" << "1.0.0.1 A 1 0.0.0.0-127.255.255.255/128.0.0.0 128";
        QTest::newRow("lowering C 20 -> 10") << "bits 20; bits 10" << "192.0.0.1 C 10 192.0.0.0-192.63.255.255/255.192.0.0 16384";
        QTest::newRow("raising C 12 -> 13 gives B") << "bits 12; bits 13" << "128.0.0.1 B 13 128.0.0.0-128.7.255.255/255.248.0.0 8";
        QTest::newRow("raising A 8 -> 9 gives B") << "class 0; bits 8; bits 9" << "128.0.0.1 B 9 128.0.0.0-128.127.255.255/255.128.0.0 128";
        QTest::newRow("raising B 16 -> 17 gives C") << "class 1; bits 16; bits 17" << "192.0.0.1 C 17 192.0.0.0-192.0.127.255/255.255.128.0 128";
        QTest::newRow("choose A") << "class 0" << "1.0.0.1 A 7 0.0.0.0-1.255.255.255/254.0.0.0 2";
        QTest::newRow("choose B") << "class 1" << "128.0.0.1 B 15 128.0.0.0-128.1.255.255/255.254.0.0 2";
        QTest::newRow("class code 5 on C 24") << "bits 24; class 5" << "192.0.0.1 C 24 192.0.0.0-192.0.0.255/255.255.255.0 1";
        QTest::newRow("octet 10 -> A 7") << "byte 0 10" << "10.0.0.1 A 7 10.0.0.0-11.255.255.255/254.0.0.0 2";
        QTest::newRow("octet 127 -> 126") << "byte 0 127" << "126.0.0.1 A 7 126.0.0.0-127.255.255.255/254.0.0.0 2";
        QTest::newRow("third octet 5") << "byte 2 5" << "192.0.5.1 C 23 192.0.4.0-192.0.5.255/255.255.254.0 2";
        QTest::newRow("A 7, octet 200 keeps bits") << "class 0; byte 0 200" << "200.0.0.1 C 7 200.0.0.0-201.255.255.255/254.0.0.0 131072";
        QTest::newRow("address into A clamps") << "addr 10.1.2.3" << "10.1.2.3 A 7 10.0.0.0-11.255.255.255/254.0.0.0 2";
        // clang-format on
    }
    void supernet()
    {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        TIPAddSupernet s;
        run(s, script);
        QCOMPARE(QString("%1 %2 %3 %4-%5/%6 %7")
                     .arg(dec(s), QString(s.ClassLetter()))
                     .arg(s.SupernetBits())
                     .arg(dec(s.Route()), dec(s.RangeEnd()), dec(s.RangeMask()))
                     .arg(s.SupernetCount()),
                 expected);
        const QString breach = supernetBreach(s);
        QVERIFY2(breach.isEmpty(), qPrintable(breach));
    }

    void rulesHoldThroughBaseReference()
    {
        // The view may hold a model through a base type; its own rules must still apply.
        TIPAddSubnet subnet;
        TIPAddress& address = subnet;
        address.SetByte(0, 200);
        QCOMPARE(int(subnet.SubnetBits()), 6);
        address.SetAddress(ip("10.1.2.3"));
        QCOMPARE(dec(subnet.SubnetMask()), QString("255.252.0.0"));
        TIPAddSupernet supernet;
        static_cast<TIPAddClass&>(supernet).SetClassType(acClassA);
        QCOMPARE(dec(supernet.RangeMask()), QString("254.0.0.0"));
    }

    void randomOperationsKeepInvariants()
    {
        std::mt19937 random(20240601);
        const auto any = [&](uint32_t limit) { return uint8_t(random() % limit); };
        TIPAddSubnet subnet;
        TIPAddSupernet supernet;
        for (int i = 0; i < 20000; ++i) {
            const uint32_t address = random();
            const uint8_t index = any(4), value = any(256), type = any(6), bits = any(32);
            switch (random() % 4) {
            case 0:
                subnet.SetAddress(address);
                supernet.SetAddress(address);
                break;
            case 1:
                subnet.SetByte(index, value);
                supernet.SetByte(index, value);
                break;
            case 2:
                subnet.SetClassType(TAddressClass(type));
                supernet.SetClassType(TAddressClass(type));
                break;
            default:
                subnet.SetSubnetBits(bits);
                supernet.SetSupernetBits(bits);
            }
            const QString breach = subnetBreach(subnet) + supernetBreach(supernet);
            QVERIFY2(breach.isEmpty(), qPrintable(QString("step %1: %2").arg(i).arg(breach)));
        }
    }
};

QTEST_APPLESS_MAIN(TestIPAddress)
#include "tst_ipaddress.moc"
