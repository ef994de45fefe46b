#include "tests/support/UiFixture.h"

#include "controls/BetterSpinEdit.h"
#include "controls/SpeedButton.h"
#include "controls/SuperStringGrid.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

// The subnet calculator driven through the real main window. Each case is a
// list of user steps and a list of what the user then reads:
//
//   steps:    "tab:CIDR"            click that tab
//             "class:C"             click that class in the selector
//             "bits:7"              type into the bits field, then Enter
//             "type:7"              type into the bits field, no Enter
//             "up:3", "down:2"      arrow keys in the bits field
//             "octet:MaskEdit1=10:enter"   click the octet, replace its text,
//                                   then Enter or Tab (none: three digits
//                                   move on by themselves)
//             "enter:MaskEdit1"     click the octet and press Enter
//             "mark"                write a marker into the table's first row,
//                                   to see whether it is rebuilt
//             "select:1-3"          drag-select table rows 1 to 3, both columns
//             "copy"                Ctrl+C
//             "click copy button"
//   expected: "Name=text" for a panel, label, edit, group or the bits field;
//             "class=B", "rows=257", "row 1=    0|128.0.0.1  -  128.0.0.254",
//             "last row=...", "clipboard=...", "focus=MaskEdit2",
//             "BitsLabel.x=211", "edit menu=on", "copy button=off".
class TestSubnetCalc : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    template <class T = QWidget> T* find(const QString& name) const
    {
        T* widget = form->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }

    TSuperStringGrid* grid() const { return find<TSuperStringGrid>("SubnetHostStringGrid"); }

    QString gridRow(int row) const
    {
        return grid()->Cells(0, row) + QLatin1Char('|') + grid()->Cells(1, row);
    }

    void clickTab(const QString& title)
    {
        QTabBar* tabs = find<QTabWidget>("SubnetPageControl")->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == title)
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        }
        QCOMPARE(tabs->tabText(tabs->currentIndex()), title);
    }

    static void replaceText(QLineEdit* field, const QString& text)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }

    void clickGridCell(int row, int col, Qt::KeyboardModifiers modifiers)
    {
        // The first body row is the view's row 0: the header is drawn apart.
        const QRect cell = grid()->visualRect(grid()->model()->index(row - 1, col));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    void runStep(const QString& step)
    {
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString arg = step.section(QLatin1Char(':'), 1);
        auto* bits = find<TBetterSpinEdit>("BitsSpinEdit");
        if (verb == "tab") {
            clickTab(arg);
        } else if (verb == "class") {
            QTest::mouseClick(find<QRadioButton>("AddressTypeClass" + arg), Qt::LeftButton);
        } else if (verb == "bits" || verb == "type") {
            replaceText(bits, arg);
            if (verb == "bits")
                QTest::keyClick(bits, Qt::Key_Return);
        } else if (verb == "up" || verb == "down") {
            for (int i = 0; i < arg.toInt(); ++i)
                QTest::keyClick(bits, verb == "up" ? Qt::Key_Up : Qt::Key_Down);
        } else if (verb == "octet") {
            auto* field = find<QLineEdit>(arg.section(QLatin1Char('='), 0, 0));
            const QString rest = arg.section(QLatin1Char('='), 1);
            replaceText(field, rest.section(QLatin1Char(':'), 0, 0));
            const QString key = rest.section(QLatin1Char(':'), 1);
            if (!key.isEmpty()) {
                QVERIFY2(field->hasFocus(), "the octet moved on before its key");
                QTest::keyClick(field, key == "enter" ? Qt::Key_Return : Qt::Key_Tab);
            }
        } else if (verb == "enter") {
            auto* field = find<QLineEdit>(arg);
            QTest::mouseClick(field, Qt::LeftButton);
            QTest::keyClick(field, Qt::Key_Return);
        } else if (verb == "mark") {
            grid()->setCells(0, 1, QStringLiteral("marked"));
        } else if (verb == "select") {
            clickGridCell(arg.section(QLatin1Char('-'), 0, 0).toInt(), 0, Qt::NoModifier);
            clickGridCell(arg.section(QLatin1Char('-'), 1, 1).toInt(), 1, Qt::ShiftModifier);
        } else if (verb == "copy") {
            QWidget* target =
                QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
            QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        } else if (verb == "click copy button") {
            QTest::mouseClick(find<TSpeedButton>("CopySubnetHostButton"), Qt::LeftButton);
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    }

    QString shown(const QString& name) const
    {
        if (name == "class") {
            for (QString letter : {"A", "B", "C"}) {
                if (find<QRadioButton>("AddressTypeClass" + letter)->isChecked())
                    return letter;
            }
            return QStringLiteral("none");
        }
        if (name == "rows")
            return QString::number(grid()->RowCount());
        if (name.startsWith("row "))
            return gridRow(name.mid(4).toInt());
        if (name == "last row")
            return gridRow(grid()->RowCount() - 1);
        if (name == "clipboard")
            return QGuiApplication::clipboard()->text();
        if (name == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        if (name == "BitsLabel.x")
            return QString::number(find("BitsLabel")->x());
        if (name == "edit menu")
            return find<QMenu>("Edit1")->menuAction()->isEnabled() ? "on" : "off";
        if (name == "copy button")
            return find("CopySubnetHostButton")->isEnabled() ? "on" : "off";
        if (name.endsWith(" gaps"))
            return octetBoxGaps(find(name.chopped(5)));
        QWidget* widget = find(name);
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            return group->title();
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            return field->text();
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label)
            qFatal("cannot read %s", qPrintable(name));
        // A result panel is read out by a screen reader under its caption.
        if (name.endsWith("Panel") && label->accessibleName() != label->text())
            return "accessible name differs: " + label->accessibleName();
        return label->text();
    }

    // The colour around the dots of an octet box: "window colour" when the
    // box reads as one edit field.
    static QString octetBoxGaps(QWidget* box)
    {
        const QImage image = box->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QList<QLabel*> dots = box->findChildren<QLabel*>();
        if (dots.size() != 3)
            return QStringLiteral("not three dots");
        for (const QLabel* dot : dots) {
            const QColor colour = image.pixelColor((dot->pos() + QPoint(1, 2)) * ratio);
            if (colour != box->palette().color(QPalette::Base))
                return "colour " + colour.name();
        }
        return QStringLiteral("window colour");
    }

    void addColumns()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("messages");
    }

    void runScenario()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, messages);
        for (const QString& step : steps) {
            runStep(step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(MessageBoxCatcher::instance().take(), messages);
        for (const QString& item : expected) {
            const QString name = item.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name + "=" + shown(name), item);
        }
    }

    static QStringList none() { return {}; }

private slots:
    void init()
    {
        clearStoredSettings();
        form = makeMainForm();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->findChild<QAction*>("VantrelCalculator1")->trigger();
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    }

    void cleanup()
    {
        ZENTRIX_EXPECT_NO_MESSAGES();
        form.reset();
    }

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
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {},
                          target->mapTo(form.get(), target->rect().center()));
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
