#include "tests/support/SubnetDriver.h"

// Typing into the subnet calculator's address fields: the Address Info
// tab's host address and the CIDR tab's supernet, with the bits field they
// share, driven through the real main window (steps and readings: see
// SubnetDriver).
class TestSubnetEntry : public QObject, SubnetDriver
{
    Q_OBJECT

private slots:
    void init() { start("VantrelCalculator1"); }
    void cleanup() { finish(); }

    void addressInfo_data()
    {
        addColumns();
        QTest::newRow("octet box is one field")
            << QStringList{"tab:Address Info"} << QStringList{"AddressOctetBox gaps=window colour"}
            << none();
        QTest::newRow("128.0.5.7")
            << QStringList{"tab:Address Info", "octet:MaskEdit3=5:tab", "octet:MaskEdit4=7:enter"}
            << QStringList{"NetworkIDPanel=128.0.5.0", "SubnetIDPanel=0.0.5.0",
                           "HostIDPanel=0.0.0.7", "AddressRangePanel=128.0.5.1  -  128.0.5.254",
                           "HexAddressPanel=80.00.05.07"}
            << none();
        QTest::newRow("first octet 10 selects class A")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=10:enter"}
            << QStringList{"class=A", "AddressRangePanel=10.0.0.1  -  10.0.255.254",
                           "SubnetMaskPanel=0.255.0.0", "NetworkIDPanel=10.0.0.0",
                           "HexAddressPanel=0A.00.00.01"}
            << none();
        QTest::newRow("first octet 200 selects class C, 6 bits")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=200"}
            << QStringList{"class=C",
                           "BitsSpinEdit=6",
                           "MaskEdit1=200",
                           "AddressRangePanel=200.0.0.1  -  200.0.0.2",
                           "SubnetMaskPanel=0.0.0.252",
                           "focus=MaskEdit2"}
            << none();
        QTest::newRow("a pending octet is applied by switching tabs")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=10", "tab:General Info"}
            << QStringList{"class=A", "DecClassMaskPanel=255.0.0.0"} << none();
        QTest::newRow("typed bits are applied by switching tabs")
            << QStringList{"type:3", "tab:Address Info"}
            << QStringList{"BitsSpinEdit=3", "SubnetMaskPanel=0.0.224.0"} << none();
        QTest::newRow("first octet 0") << QStringList{"tab:Address Info", "octet:MaskEdit1=0:tab"}
                                       << QStringList{"MaskEdit1=1", "class=A"} << none();
        QTest::newRow("first octet 250") << QStringList{"tab:Address Info", "octet:MaskEdit1=250"}
                                         << QStringList{"MaskEdit1=223", "class=C"} << none();
        QTest::newRow("empty first octet")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=:tab"}
            << QStringList{"MaskEdit1=1", "class=A", "HexAddressPanel=01.00.00.01"} << none();
        QTest::newRow("last octet 0") << QStringList{"tab:Address Info", "octet:MaskEdit4=0:enter"}
                                      << QStringList{"MaskEdit4=1"} << none();
        QTest::newRow("last octet 255")
            << QStringList{"tab:Address Info", "octet:MaskEdit4=255"}
            << QStringList{"MaskEdit4=254", "HostIDPanel=0.0.0.254", "focus=MaskEdit1"} << none();
        QTest::newRow("middle octet 999")
            << QStringList{"tab:Address Info", "octet:MaskEdit2=999"}
            << QStringList{"MaskEdit2=255", "HexAddressPanel=80.FF.00.01", "focus=MaskEdit3"}
            << none();
        QTest::newRow("empty middle octet")
            << QStringList{"tab:Address Info", "octet:MaskEdit3=:enter"}
            << QStringList{"MaskEdit3=0"} << none();
        QTest::newRow("letters cannot be typed")
            << QStringList{"tab:Address Info", "octet:MaskEdit2=4x2:enter"}
            << QStringList{"MaskEdit2=42", "HexAddressPanel=80.2A.00.01"} << none();
        // The octet held is 223 already, so leaving changes nothing and the
        // typed text stays; Enter always refreshes.
        QTest::newRow("unchanged octet keeps its text until Enter")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=223", "octet:MaskEdit1=300"}
            << QStringList{"MaskEdit1=300", "class=C"} << none();
        QTest::newRow("Enter refreshes an unchanged octet")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=223", "octet:MaskEdit1=300",
                           "enter:MaskEdit1"}
            << QStringList{"MaskEdit1=223", "focus=MaskEdit1"} << none();
    }
    void addressInfo() { runScenario(); }

    void cidr_data()
    {
        addColumns();
        QTest::newRow("octet box is one field")
            << QStringList{"tab:CIDR"} << QStringList{"SupernetOctetBox gaps=window colour"}
            << none();
        QTest::newRow("up to 24") << QStringList{"tab:CIDR", "up:1"}
                                  << QStringList{"BitsSpinEdit=24", "NumNetworksPanel=1",
                                                 "AllocationPanel=192.0.0.0  -  192.0.0.255",
                                                 "RouteMaskPanel=192.0.0.0  /  255.255.255.0"}
                                  << none();
        QTest::newRow("typed bits are applied by leaving the tab")
            << QStringList{"tab:CIDR", "type:20", "tab:General Info", "tab:CIDR"}
            << QStringList{"BitsSpinEdit=20", "NumNetworksPanel=16"} << none();
        QTest::newRow("down to 16 stays class C")
            << QStringList{"tab:CIDR", "down:7"}
            << QStringList{"class=C", "NumNetworksPanel=256",
                           "RouteMaskPanel=192.0.0.0  /  255.255.0.0",
                           "AllocationPanel=192.0.0.0  -  192.0.255.255"}
            << none();
        QTest::newRow("down to 2 gives class B")
            << QStringList{"tab:CIDR", "down:21"}
            << QStringList{"class=B",
                           "MaskEdit5=128",
                           "MaskEdit6=0",
                           "MaskEdit7=0",
                           "MaskEdit8=1",
                           "NumNetworksPanel=16384",
                           "RouteMaskPanel=128.0.0.0  /  192.0.0.0",
                           "AllocationPanel=128.0.0.0  -  191.255.255.255"}
            << none();
        QTest::newRow("down to 1 gives class A")
            << QStringList{"tab:CIDR", "down:22"}
            << QStringList{"class=A",
                           "BitsSpinEdit=1",
                           "MaskEdit5=1",
                           "NumNetworksPanel=128",
                           "RouteMaskPanel=0.0.0.0  /  128.0.0.0",
                           "AllocationPanel=0.0.0.0  -  127.255.255.255"}
            << none();
        QTest::newRow("down to 1, then up past 24")
            << QStringList{"tab:CIDR", "down:30", "up:30"}
            << QStringList{"class=C", "BitsSpinEdit=24", "MaskEdit5=192", "NumNetworksPanel=1",
                           "RouteMaskPanel=192.0.0.0  /  255.255.255.0"}
            << none();
        QTest::newRow("class A lowers 23 bits to 7")
            << QStringList{"tab:CIDR", "class:A"}
            << QStringList{"class=A",
                           "BitsSpinEdit=7",
                           "MaskEdit5=1",
                           "NumNetworksPanel=2",
                           "RouteMaskPanel=0.0.0.0  /  254.0.0.0",
                           "AllocationPanel=0.0.0.0  -  1.255.255.255"}
            << none();
        QTest::newRow("first octet 10")
            << QStringList{"tab:CIDR", "octet:MaskEdit5=10:enter"}
            << QStringList{"class=A", "BitsSpinEdit=7", "NumNetworksPanel=2",
                           "RouteMaskPanel=10.0.0.0  /  254.0.0.0",
                           "AllocationPanel=10.0.0.0  -  11.255.255.255"}
            << none();
        QTest::newRow("third octet 5")
            << QStringList{"tab:CIDR", "octet:MaskEdit7=5:tab"}
            << QStringList{"RouteMaskPanel=192.0.4.0  /  255.255.254.0",
                           "AllocationPanel=192.0.4.0  -  192.0.5.255", "focus=MaskEdit8"}
            << none();
        QTest::newRow("first octet 240") << QStringList{"tab:CIDR", "octet:MaskEdit5=240"}
                                         << QStringList{"MaskEdit5=223", "class=C"} << none();
        QTest::newRow("last octet wraps the focus")
            << QStringList{"tab:CIDR", "octet:MaskEdit8=100"}
            << QStringList{"MaskEdit8=100", "focus=MaskEdit5"} << none();
        QTest::newRow("empty octet is refused")
            << QStringList{"tab:CIDR", "octet:MaskEdit6=:enter"}
            << QStringList{"MaskEdit6=", "RouteMaskPanel=192.0.0.0  /  255.255.254.0"}
            << QStringList{"'' is not a valid integer value"};
        QTest::newRow("256 is refused")
            << QStringList{"tab:CIDR", "octet:MaskEdit7=256"}
            << QStringList{"MaskEdit7=256", "AllocationPanel=192.0.0.0  -  192.0.1.255"}
            << QStringList{"Range check error"};
        QTest::newRow("a refused octet does not hold up the tab switch")
            << QStringList{"tab:CIDR", "octet:MaskEdit6=", "tab:General Info"}
            << QStringList{"AddressTypeRadioGroup=Address Type", "BitsSpinEdit=8",
                           "MaxSubnetsPanel=256"}
            << QStringList{"'' is not a valid integer value"};
        QTest::newRow("leaving restores the captions")
            << QStringList{"tab:CIDR", "tab:Address Info"}
            << QStringList{"AddressTypeRadioGroup=Address Type", "BitsLabel=&Subnet Bits",
                           "BitsLabel.x=219"}
            << none();
        QTest::newRow("the subnet model is left alone: General Info")
            << QStringList{"tab:CIDR", "up:1", "class:A", "tab:General Info"}
            << QStringList{"class=B", "BitsSpinEdit=8", "MaxSubnetsPanel=256",
                           "DecMaskPanel=255.255.255.0"}
            << none();
        QTest::newRow("the subnet model is left alone: Subnets/Hosts")
            << QStringList{"tab:CIDR", "up:1", "tab:Subnets/Hosts"}
            << QStringList{"class=B", "BitsSpinEdit=8", "rows=257"} << none();
        QTest::newRow("the subnet bits are limited to 22 again")
            << QStringList{"tab:CIDR", "tab:General Info", "bits:24"}
            << QStringList{"BitsSpinEdit=22", "class=A"} << none();
        // Leaving a field by switching tabs applies it to the tab it is on,
        // before the new tab takes over the shared controls.
        QTest::newRow("a pending octet is applied before switching to CIDR")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=10", "tab:CIDR"}
            << QStringList{"class=C", "BitsSpinEdit=23", "NumNetworksPanel=2", "MaskEdit5=192"}
            << none();
        QTest::newRow("a pending supernet octet is applied before leaving CIDR")
            << QStringList{"tab:CIDR", "octet:MaskEdit5=10", "tab:General Info", "tab:CIDR"}
            << QStringList{"class=A", "BitsSpinEdit=7", "MaskEdit5=10"} << none();
        QTest::newRow("the supernet is kept while away")
            << QStringList{"tab:CIDR", "down:5", "tab:General Info", "bits:3", "tab:CIDR"}
            << QStringList{"BitsSpinEdit=18", "NumNetworksPanel=64", "class=C"} << none();
    }
    void cidr() { runScenario(); }

    // The menu bar borrows the keys and gives them back: the field being
    // typed in is not left, so nothing is committed or reselected. Leaving
    // it afterwards commits as ever.
    void menuBarIsNoExit_data()
    {
        addColumns();
        const QStringList emptyOctet{"tab:CIDR", "octet:MaskEdit6="};
        const QStringList untouched{"MaskEdit6=", "focus=MaskEdit6",
                                    "selection=", "RouteMaskPanel=192.0.0.0  /  255.255.254.0"};
        for (const char* keys : {"Alt", "Alt+F", "Alt+E", "Alt+L", "Alt+H"})
            QTest::addRow("empty CIDR octet, %s", keys)
                << emptyOctet + QStringList{QStringLiteral("menu:") + keys} << untouched << none();
        QTest::newRow("empty CIDR octet, then Tab")
            << emptyOctet + QStringList{"menu:Alt+L", "keys:Tab"}
            << QStringList{"MaskEdit6=", "RouteMaskPanel=192.0.0.0  /  255.255.254.0"}
            << QStringList{"'' is not a valid integer value"};
        QTest::newRow("Address Info octet")
            << QStringList{"tab:Address Info", "octet:MaskEdit2=77", "menu:Alt"}
            << QStringList{"MaskEdit2=77", "focus=MaskEdit2",
                           "selection=", "HexAddressPanel=80.00.00.01"}
            << none();
        QTest::newRow("Address Info octet, then Alt+S")
            << QStringList{"tab:Address Info", "octet:MaskEdit2=77", "menu:Alt+F", "keys:Alt+S"}
            << QStringList{"focus=BitsSpinEdit", "HexAddressPanel=80.4D.00.01"} << none();
        QTest::newRow("subnet bits") << QStringList{"type:3", "menu:Alt"}
                                     << QStringList{"BitsSpinEdit=3", "focus=BitsSpinEdit",
                                                    "selection=", "MaxSubnetsPanel=256"}
                                     << none();
        QTest::newRow("subnet bits, then Enter")
            << QStringList{"type:3", "menu:Alt+H", "keys:Return"}
            << QStringList{"BitsSpinEdit=3", "MaxSubnetsPanel=8"} << none();
        QTest::newRow("supernet bits") << QStringList{"tab:CIDR", "type:20", "menu:Alt+L"}
                                       << QStringList{"BitsSpinEdit=20", "focus=BitsSpinEdit",
                                                      "selection=", "NumNetworksPanel=2"}
                                       << none();
    }
    void menuBarIsNoExit() { runScenario(); }
};

ZENTRIX_UI_TEST_MAIN(TestSubnetEntry)
#include "tst_subnetentry.moc"
