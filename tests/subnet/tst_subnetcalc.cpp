#include "tests/support/SubnetDriver.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>

// The subnet calculator's first display, its General Info tab with the
// class selector, the Subnets/Hosts table and copying from both, driven
// through the real main window (steps and readings: see SubnetDriver).
class TestSubnetCalc : public QObject, SubnetDriver
{
    Q_OBJECT

private slots:
    void init() { start("VantrelCalculator1"); }
    void cleanup() { finish(); }

    void firstDisplay_data()
    {
        addColumns();
        QTest::newRow("General Info")
            << QStringList{}
            << QStringList{"class=B",
                           "AddressTypeRadioGroup=Address Type",
                           "BitsLabel=&Subnet Bits",
                           "BitsLabel.x=219",
                           "BitsSpinEdit=8",
                           "MaxSubnetsPanel=256",
                           "MaxHostsPanel=254",
                           "BitMapPanel=10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh",
                           "DecClassMaskLabel=Decimal Class B Mask",
                           "HexClassMaskLabel=Hex Class B Mask",
                           "DecClassMaskPanel=255.255.0.0",
                           "HexClassMaskPanel=FF.FF.00.00",
                           "DecMaskPanel=255.255.255.0",
                           "HexMaskPanel=FF.FF.FF.00",
                           "edit menu=off",
                           "copy button=off"}
            << none();
        QTest::newRow("Address Info") << QStringList{"tab:Address Info"}
                                      << QStringList{"class=B",
                                                     "BitsSpinEdit=8",
                                                     "MaskEdit1=128",
                                                     "MaskEdit2=0",
                                                     "MaskEdit3=0",
                                                     "MaskEdit4=1",
                                                     "HexAddressPanel=80.00.00.01",
                                                     "AddressRangePanel=128.0.0.1  -  128.0.0.254",
                                                     "SubnetMaskPanel=0.0.255.0",
                                                     "SubnetIDPanel=0.0.0.0",
                                                     "NetworkIDPanel=128.0.0.0",
                                                     "HostIDPanel=0.0.0.1"}
                                      << none();
        QTest::newRow("Subnets/Hosts")
            << QStringList{"tab:Subnets/Hosts"}
            << QStringList{"rows=257",
                           "row 0=Subnet|Host Range",
                           "row 1=    0|128.0.0.1  -  128.0.0.254",
                           "row 2=    1|128.0.1.1  -  128.0.1.254",
                           "last row=  255|128.0.255.1  -  128.0.255.254",
                           "edit menu=on",
                           "copy button=on"}
            << none();
        QTest::newRow("CIDR") << QStringList{"tab:CIDR"}
                              << QStringList{"class=C",
                                             "AddressTypeRadioGroup=Address Prefix",
                                             "BitsLabel=&Supernet Bits",
                                             "BitsLabel.x=211",
                                             "BitsSpinEdit=23",
                                             "MaskEdit5=192",
                                             "MaskEdit6=0",
                                             "MaskEdit7=0",
                                             "MaskEdit8=1",
                                             "NumNetworksPanel=2",
                                             "AllocationPanel=192.0.0.0  -  192.0.1.255",
                                             "RouteMaskPanel=192.0.0.0  /  255.255.254.0",
                                             "HexRouteMaskPanel=C0.00.00.00  /  FF.FF.FE.00"}
                              << none();
    }
    void firstDisplay() { runScenario(); }

    void generalInfo_data()
    {
        addColumns();
        QTest::newRow("class C lowers 8 bits to 6")
            << QStringList{"class:C"}
            << QStringList{"class=C",
                           "BitsSpinEdit=6",
                           "MaxSubnetsPanel=64",
                           "MaxHostsPanel=2",
                           "DecMaskPanel=255.255.255.252",
                           "HexMaskPanel=FF.FF.FF.FC",
                           "DecClassMaskLabel=Decimal Class C Mask",
                           "HexClassMaskLabel=Hex Class C Mask",
                           "BitMapPanel=110nnnnn.nnnnnnnn.nnnnnnnn.sssssshh"}
            << none();
        QTest::newRow("class A keeps 8 bits")
            << QStringList{"class:A"}
            << QStringList{"class=A", "BitsSpinEdit=8", "DecClassMaskPanel=255.0.0.0",
                           "DecMaskPanel=255.255.0.0", "MaxHostsPanel=65534"}
            << none();
        QTest::newRow("clicking the selected class changes nothing")
            << QStringList{"class:B"}
            << QStringList{"class=B", "BitsSpinEdit=8", "MaxSubnetsPanel=256",
                           "DecMaskPanel=255.255.255.0"}
            << none();
        QTest::newRow("class C, one bit up gives class B")
            << QStringList{"class:C", "up:1"}
            << QStringList{"class=B", "BitsSpinEdit=7", "DecMaskPanel=255.255.254.0"} << none();
        QTest::newRow("class B bits down to 1")
            << QStringList{"bits:1"}
            << QStringList{"class=B", "MaxSubnetsPanel=2", "MaxHostsPanel=32766"} << none();
        QTest::newRow("15 bits need class A")
            << QStringList{"bits:15"}
            << QStringList{"class=A", "BitsSpinEdit=15", "DecMaskPanel=255.255.254.0",
                           "MaxHostsPanel=510"}
            << none();
        QTest::newRow("typed 30 is held at 22")
            << QStringList{"bits:30"}
            << QStringList{"class=A", "BitsSpinEdit=22", "MaxSubnetsPanel=4194304",
                           "MaxHostsPanel=2"}
            << none();
        QTest::newRow("class B lowers 22 bits to 14")
            << QStringList{"bits:22", "class:B"}
            << QStringList{"class=B", "BitsSpinEdit=14", "MaxSubnetsPanel=16384"} << none();
        QTest::newRow("lowering keeps the class")
            << QStringList{"bits:10", "down:7"}
            << QStringList{"class=B", "BitsSpinEdit=3", "MaxSubnetsPanel=8"} << none();
    }
    void generalInfo() { runScenario(); }

    void subnetTable_data()
    {
        addColumns();
        QTest::newRow("14 bits") << QStringList{"bits:14", "tab:Subnets/Hosts"}
                                 << QStringList{"rows=16385", "row 1=    0|128.0.0.1  -  128.0.0.2",
                                                "last row=16383|128.0.255.253  -  128.0.255.254"}
                                 << none();
        QTest::newRow("22 bits on network 10")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=10:enter", "bits:22",
                           "tab:Subnets/Hosts"}
            << QStringList{"rows=16386", "row 1=    0|10.0.0.1  -  10.0.0.2",
                           "last row=16384|10.1.0.1  -  10.1.0.2"}
            << none();
        QTest::newRow("class C, 7 bits, then 10 in the first octet")
            << QStringList{"class:C", "up:1", "tab:Address Info", "octet:MaskEdit1=10:enter",
                           "tab:Subnets/Hosts"}
            << QStringList{"class=A", "BitsSpinEdit=7", "rows=129",
                           "row 1=    0|10.0.0.1  -  10.1.255.254",
                           "last row=  127|10.254.0.1  -  10.255.255.254"}
            << none();
        QTest::newRow("bits changed on the tab")
            << QStringList{"tab:Subnets/Hosts", "bits:2"}
            << QStringList{"rows=5", "last row=    3|128.0.192.1  -  128.0.255.254"} << none();
        QTest::newRow("not rebuilt after General Info")
            << QStringList{"tab:Subnets/Hosts", "mark", "tab:General Info", "tab:Subnets/Hosts"}
            << QStringList{"row 1=marked|128.0.0.1  -  128.0.0.254"} << none();
        QTest::newRow("not rebuilt after a supernet change")
            << QStringList{"tab:Subnets/Hosts", "mark", "tab:CIDR", "up:1", "class:A",
                           "tab:Subnets/Hosts"}
            << QStringList{"row 1=marked|128.0.0.1  -  128.0.0.254"} << none();
        QTest::newRow("rebuilt after a host part change")
            << QStringList{"tab:Subnets/Hosts", "mark", "tab:Address Info",
                           "octet:MaskEdit4=7:enter", "tab:Subnets/Hosts"}
            << QStringList{"row 1=    0|128.0.0.1  -  128.0.0.254"} << none();
        QTest::newRow("rebuilt after clicking the selected class")
            << QStringList{"tab:Subnets/Hosts", "mark", "class:B"}
            << QStringList{"row 1=    0|128.0.0.1  -  128.0.0.254"} << none();
        QTest::newRow("rebuilt after bits changed and back")
            << QStringList{"tab:Subnets/Hosts", "mark", "tab:General Info", "up:1", "down:1",
                           "tab:Subnets/Hosts"}
            << QStringList{"row 1=    0|128.0.0.1  -  128.0.0.254"} << none();
    }
    void subnetTable() { runScenario(); }

    void copy_data()
    {
        addColumns();
        const QString rows1to3 = "Subnet\tHost Range\r\n"
                                 "    0\t128.0.0.1  -  128.0.0.254\r\n"
                                 "    1\t128.0.1.1  -  128.0.1.254\r\n"
                                 "    2\t128.0.2.1  -  128.0.2.254\r\n";
        QTest::newRow("Ctrl+C") << QStringList{"tab:Subnets/Hosts", "select:1-3", "copy"}
                                << QStringList{"clipboard=" + rows1to3} << none();
        QTest::newRow("copy button")
            << QStringList{"tab:Subnets/Hosts", "select:1-3", "click copy button"}
            << QStringList{"clipboard=" + rows1to3} << none();
        QTest::newRow("Ctrl+C does nothing after leaving the tab")
            << QStringList{"tab:Subnets/Hosts", "select:1-3", "tab:CIDR", "copy"}
            << QStringList{"clipboard=untouched", "edit menu=off", "copy button=off"} << none();
        QTest::newRow("Ctrl+C on an octet edit copies nothing")
            << QStringList{"tab:Address Info", "octet:MaskEdit1=12", "copy"}
            << QStringList{"clipboard=untouched"} << none();
    }
    void copy() { runScenario(); }

    void resultPanelCopies_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("expected");

        const QStringList classC{"class:C"};
        QTest::newRow("max subnets") << classC << "MaxSubnetsPanel"
                                     << "64";
        QTest::newRow("max hosts") << classC << "MaxHostsPanel"
                                   << "2";
        QTest::newRow("bit map") << classC << "BitMapPanel"
                                 << "110nnnnn.nnnnnnnn.nnnnnnnn.sssssshh";
        QTest::newRow("class mask") << classC << "DecClassMaskPanel"
                                    << "255.255.255.0";
        QTest::newRow("hex class mask") << classC << "HexClassMaskPanel"
                                        << "FF.FF.FF.00";
        QTest::newRow("network mask") << classC << "DecMaskPanel"
                                      << "255.255.255.252";
        QTest::newRow("hex network mask") << classC << "HexMaskPanel"
                                          << "FF.FF.FF.FC";

        const QStringList address{"tab:Address Info", "octet:MaskEdit1=10:enter"};
        QTest::newRow("hexadecimal address") << address << "HexAddressPanel"
                                             << "0A.00.00.01";
        QTest::newRow("allocation range") << address << "AddressRangePanel"
                                          << "10.0.0.1  -  10.0.255.254";
        QTest::newRow("subnet mask") << address << "SubnetMaskPanel"
                                     << "0.255.0.0";
        QTest::newRow("subnet ID") << address << "SubnetIDPanel"
                                   << "0.0.0.0";
        QTest::newRow("network ID") << address << "NetworkIDPanel"
                                    << "10.0.0.0";
        QTest::newRow("host ID") << address << "HostIDPanel"
                                 << "0.0.0.1";

        const QStringList cidr{"tab:CIDR", "octet:MaskEdit7=5:enter"};
        QTest::newRow("supernets") << cidr << "NumNetworksPanel"
                                   << "2";
        QTest::newRow("supernet range") << cidr << "AllocationPanel"
                                        << "192.0.4.0  -  192.0.5.255";
        QTest::newRow("route/mask") << cidr << "RouteMaskPanel"
                                    << "192.0.4.0  /  255.255.254.0";
        QTest::newRow("hex route/mask") << cidr << "HexRouteMaskPanel"
                                        << "C0.00.04.00  /  FF.FF.FE.00";
    }

    // A right click on a result panel offers "&Copy", which puts the shown
    // text on the clipboard; assistive technology has the same command as
    // the panel's action "Copy". Neither touches the Edit menu.
    void resultPanelCopies()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, panel);
        QFETCH(QString, expected);
        for (const QString& step : steps)
            runStep(step);
        auto* target = find<QLabel>(panel);
        const QString editMenu = shown("edit menu");

        // Through the window, as the platform delivers a click: the window
        // makes the context menu request of it.
        QTest::mouseClick(form()->windowHandle(), Qt::RightButton, {},
                          target->mapTo(form(), target->rect().center()));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Copy"));
        QTest::keyClick(menu, Qt::Key_C);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(target);
        QVERIFY(accessible && accessible->actionInterface());
        QVERIFY(accessible->actionInterface()->actionNames().contains("Copy"));
        accessible->actionInterface()->doAction(QStringLiteral("Copy"));
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QCOMPARE(shown("edit menu"), editMenu);
    }
};

ZENTRIX_UI_TEST_MAIN(TestSubnetCalc)
#include "tst_subnetcalc.moc"
