#include "tests/app/SceneDriver.h"

#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <optional>

namespace {

// The control a keyboard user is on: a tab bar stands for its tab control,
// a radio button for its group (Tab enters a group once), the edit field of
// a combo box for the box.
QWidget* controlOf(QWidget* widget)
{
    if (!widget)
        return nullptr;
    if (qobject_cast<QTabBar*>(widget) && qobject_cast<QTabWidget*>(widget->parentWidget()))
        return widget->parentWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->autoExclusive() && qobject_cast<QGroupBox*>(widget->parentWidget()))
            return widget->parentWidget();
    }
    if (qobject_cast<QComboBox*>(widget->parentWidget()) && widget->focusProxy())
        return widget->parentWidget();
    return widget;
}

QString focusedControl()
{
    return nameForReport(controlOf(QApplication::focusWidget()));
}

} // namespace

// Everything done with the keyboard alone: accelerators, the Tab order,
// Esc, and the latency chain's elements with their menu and the Insert key.
class TestKeyboard : public QObject, SceneDriver
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void acceleratorsAreUniqueAndLeadSomewhere_data() { addScenes(); }

    // On what is shown at one time, each Alt+letter belongs to one control,
    // and a caption's accelerator has a control to go to.
    void acceleratorsAreUniqueAndLeadSomewhere()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QWidget* window = show(scene, page);

        QMultiMap<QString, QString> owners;
        QStringList deadEnds;
        auto note = [&owners](const QString& text, const QString& owner) {
            const QString key = QKeySequence::mnemonic(text).toString();
            if (!key.isEmpty())
                owners.insert(key, owner);
        };
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                if (!QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
                    deadEnds << label->objectName();
                note(label->text(), label->objectName());
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                note(button->text(), nameForReport(button));
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                note(group->title(), group->objectName());
            } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i)
                    note(tabs->tabText(i), tabs->tabText(i));
            } else if (auto* menuBar = qobject_cast<QMenuBar*>(widget)) {
                for (QAction* menu : menuBar->actions())
                    note(menu->text(), menu->text());
            }
        }
        QVERIFY2(deadEnds.isEmpty(),
                 qPrintable("accelerator without a control: " + deadEnds.join(", ")));
        for (const QString& key : owners.uniqueKeys()) {
            const QStringList clash = owners.values(key);
            QVERIFY2(clash.size() == 1, qPrintable(key + " is taken by " + clash.join(", ")));
        }
    }

    void acceleratorsReachTheirControl_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("presses");

        QTest::newRow("Decimal") << "RadixorCalculator1"
                                 << "ConversionTabSheet" << int(Qt::Key_D) << "DecMemo" << false;
        QTest::newRow("Hexadecimal")
            << "RadixorCalculator1"
            << "ConversionTabSheet" << int(Qt::Key_X) << "HexMemo" << false;
        QTest::newRow("Binary") << "RadixorCalculator1"
                                << "ConversionTabSheet" << int(Qt::Key_B) << "BinMemo" << false;
        QTest::newRow("8 bits") << "RadixorCalculator1"
                                << "LookupTableTabSheet" << int(Qt::Key_Y) << "NumberWidth8Button"
                                << true;
        QTest::newRow("Invert") << "RadixorCalculator1"
                                << "ConversionTabSheet" << int(Qt::Key_I) << "InvertButton" << true;
        QTest::newRow("Subnet Bits")
            << "VantrelCalculator1"
            << "GeneralInfoTab" << int(Qt::Key_S) << "BitsSpinEdit" << false;
        QTest::newRow("Class C") << "VantrelCalculator1"
                                 << "GeneralInfoTab" << int(Qt::Key_C) << "AddressTypeClassC"
                                 << true;
        QTest::newRow("IP Address, address info")
            << "VantrelCalculator1"
            << "AddressInfoTab" << int(Qt::Key_I) << "MaskEdit1" << false;
        QTest::newRow("IP Address, CIDR") << "VantrelCalculator1"
                                          << "CIDRTab" << int(Qt::Key_I) << "MaskEdit5" << false;
        QTest::newRow("Insert Network")
            << "LatencyCalculator1"
            << "NetworkSetupTabSheet" << int(Qt::Key_I) << "NewNetworkButton" << true;
        QTest::newRow("Reset Layout")
            << "LatencyCalculator1"
            << "NetworkSetupTabSheet" << int(Qt::Key_R) << "ResetButton" << true;
        QTest::newRow("round trip")
            << "LatencyCalculator1"
            << "LatencyStatsTabSheet" << int(Qt::Key_N) << "PacketDirRoundTrip" << true;
        QTest::newRow("Topology") << "properties"
                                  << "network" << int(Qt::Key_T) << "TopologyComboBox" << false;
        QTest::newRow("Bandwidth") << "properties"
                                   << "network" << int(Qt::Key_B) << "BandwidthComboBox" << false;
        QTest::newRow("Propagation Delay")
            << "properties"
            << "network" << int(Qt::Key_D) << "PropDelaySpinEdit" << false;
        QTest::newRow("Cancel") << "properties"
                                << "network" << int(Qt::Key_C) << "CancelButton" << true;
        QTest::newRow("Process Time") << "properties"
                                      << "node" << int(Qt::Key_T) << "ProcessTimeSpinEdit" << false;
        QTest::newRow("Packet Size") << "properties"
                                     << "node" << int(Qt::Key_S) << "PacketSizeSpinEdit" << false;
        QTest::newRow("OK of the dialog") << "properties"
                                          << "node" << int(Qt::Key_O) << "OKButton" << true;
        QTest::newRow("OK of the about box")
            << "about" << QString() << int(Qt::Key_O) << "OKButton" << true;
    }

    // Alt with a caption's underlined letter moves the focus to its control,
    // or presses its button.
    void acceleratorsReachTheirControl()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QFETCH(int, key);
        QFETCH(QString, target);
        QFETCH(bool, presses);
        QWidget* window = show(scene, page);
        activate(window);
        auto* control = window->findChild<QWidget*>(target);
        QVERIFY(control);
        auto* button = qobject_cast<QAbstractButton*>(control);
        QVERIFY(!presses || button);
        // Only a button that is to be pressed is watched for its click.
        std::optional<QSignalSpy> clicks;
        if (presses)
            clicks.emplace(button, &QAbstractButton::clicked);

        sendKey(window, Qt::Key(key), Qt::AltModifier);

        if (presses)
            QTRY_COMPARE(clicks->count(), 1);
        else
            QTRY_COMPARE(QApplication::focusWidget(), control);
    }

    void tabFollowsTheLayout_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("order");

        QTest::newRow("number base: conversion")
            << "RadixorCalculator1"
            << "ConversionTabSheet" << QStringList{"NumberWidthGroup", "RadixorCalcPageControl",
                                                   "DecMemo",          "HexMemo",
                                                   "BinMemo",          "ClearButton",
                                                   "InvertButton"};
        QTest::newRow("number base: lookup table")
            << "RadixorCalculator1"
            << "LookupTableTabSheet"
            << QStringList{"NumberWidthGroup", "RadixorCalcPageControl", "LookupStringGrid"};
        QTest::newRow("subnet: address info") << "VantrelCalculator1"
                                              << "AddressInfoTab"
                                              << QStringList{"AddressTypeRadioGroup",
                                                             "BitsSpinEdit",
                                                             "SubnetPageControl",
                                                             "MaskEdit1",
                                                             "MaskEdit2",
                                                             "MaskEdit3",
                                                             "MaskEdit4"};
        QTest::newRow("subnet: subnets/hosts")
            << "VantrelCalculator1"
            << "SubnetHostTab"
            << QStringList{"AddressTypeRadioGroup", "BitsSpinEdit", "SubnetPageControl",
                           "SubnetHostStringGrid"};
        QTest::newRow("latency: network setup")
            << "LatencyCalculator1"
            << "NetworkSetupTabSheet" << QStringList{"LatencyCalcPageControl",
                                                     "DesktopNetworkButton",
                                                     "TNetworkButton \"<Unknown Network>\"",
                                                     "TowerNetworkButton",
                                                     "NewNetworkButton",
                                                     "ResetButton"};
        QTest::newRow("latency: statistics")
            << "LatencyCalculator1"
            << "LatencyStatsTabSheet"
            << QStringList{"LatencyCalcPageControl", "PacketDirRadioGroup",
                           "LatencyStatsStringGrid"};
        QTest::newRow("about box") << "about" << QString() << QStringList{"OKButton"};
        QTest::newRow("properties of a network")
            << "properties"
            << "network"
            << QStringList{"TopologyComboBox", "BandwidthComboBox", "PropDelaySpinEdit", "OKButton",
                           "CancelButton"};
        QTest::newRow("properties of a node")
            << "properties"
            << "node"
            << QStringList{"ProcessTimeSpinEdit", "PacketSizeSpinEdit", "OKButton", "CancelButton"};
    }

    // Tab visits the controls in the order of the layout and comes round to
    // the first again; Shift+Tab goes the same way back. No control keeps Tab.
    void tabFollowsTheLayout()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QFETCH(QStringList, order);
        QWidget* window = show(scene, page);
        activate(window);
        QWidget* first = window->findChild<QWidget*>(order.first());
        QVERIFY(first);
        // A group takes the focus through one of its buttons.
        if (qobject_cast<QGroupBox*>(first))
            first = first->findChild<QAbstractButton*>();
        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(focusedControl(), order.first());

        QStringList forward{focusedControl()};
        for (int i = 0; i < order.size(); ++i) {
            sendKey(window, Qt::Key_Tab);
            forward << focusedControl();
        }
        QCOMPARE(forward, order + QStringList{order.first()});

        QStringList backward{focusedControl()};
        for (int i = 0; i < order.size(); ++i) {
            sendKey(window, Qt::Key_Backtab, Qt::ShiftModifier);
            backward << focusedControl();
        }
        QStringList reversed(order.rbegin(), order.rend());
        reversed.prepend(order.first());
        QCOMPARE(backward, reversed);
    }

    void escapeCloses_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");

        QTest::newRow("about box") << "about" << QString() << "OKButton" << QString();
        QTest::newRow("topology typed") << "properties"
                                        << "network"
                                        << "TopologyComboBox"
                                        << "Campus WAN";
        QTest::newRow("bandwidth typed") << "properties"
                                         << "network"
                                         << "BandwidthComboBox"
                                         << "12.5";
        QTest::newRow("propagation delay typed") << "properties"
                                                 << "network"
                                                 << "PropDelaySpinEdit"
                                                 << "25";
        QTest::newRow("packet size typed") << "properties"
                                           << "node"
                                           << "PacketSizeSpinEdit"
                                           << "1500";
    }

    // Esc closes the about box and the dialog from any field, and the dialog
    // then leaves the element as it was.
    void escapeCloses()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QWidget* window = show(scene, page);
        activate(window);
        const int target = calc()->chain().selectedElement();
        const QString label = qText(calc()->chain().at(target).Hint);
        auto* control = window->findChild<QWidget*>(field);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), typed);

        sendKey(window, Qt::Key_Escape);

        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(qText(calc()->chain().at(target).Hint), label);
    }

    void keyboardOpensAnElementsProperties_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("value");

        QTest::newRow("node A") << 0 << "PacketSizeSpinEdit" << 1500;
        QTest::newRow("network") << 1 << "PropDelaySpinEdit" << 25;
        QTest::newRow("node B") << 2 << "PacketSizeSpinEdit" << 512;
    }

    // The menu key on an element opens its menu; Properties... shows that
    // element, and OK changes that element, whichever was selected before.
    void keyboardOpensAnElementsProperties()
    {
        QFETCH(int, position);
        QFETCH(QString, field);
        QFETCH(int, value);
        QWidget* window = show("LatencyCalculator1", "NetworkSetupTabSheet");
        activate(window);
        TNetworkButton* target = elementButton(position);
        const int other = position == 1 ? 2 : 1;
        calc()->chain().selectElement(other);
        const TNetworkElement otherBefore = calc()->chain().at(other);
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(target->hasFocus());

        // The first entry of the menu is Properties...
        QTimer::singleShot(0, this, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        });
        const QPoint centre = target->rect().center();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre, target->mapToGlobal(centre));
        QApplication::sendEvent(target, &menuKey);

        TTNetworkButtonForm* dialog = calc()->propertiesForm();
        QTRY_VERIFY(dialog->isVisible());
        activate(dialog);
        typeOver(dialog->findChild<QWidget*>(field), QString::number(value));
        sendKey(dialog, Qt::Key_O, Qt::AltModifier);

        QTRY_VERIFY(!dialog->isVisible());
        const TNetworkElement& changed = calc()->chain().at(position);
        QCOMPARE(position == 1 ? changed.PropagationDelay : changed.PacketSize, value);
        const TNetworkElement& otherAfter = calc()->chain().at(other);
        QCOMPARE(otherAfter.PacketSize, otherBefore.PacketSize);
        QCOMPARE(otherAfter.PropagationDelay, otherBefore.PropagationDelay);
        QCOMPARE(qText(otherAfter.Hint), qText(otherBefore.Hint));
    }

    void keyboardInsertsWhereItSelected_data()
    {
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("inserted");

        QTest::newRow("node A") << 0 << 1;
        QTest::newRow("network") << 1 << 1;
        QTest::newRow("node B") << 2 << 2;
    }

    // Space on an element selects it, so Insert Network puts the new network
    // before it (after node A); Tab then visits the chain in its order.
    void keyboardInsertsWhereItSelected()
    {
        QFETCH(int, pressed);
        QFETCH(int, inserted);
        QWidget* window = show("LatencyCalculator1", "NetworkSetupTabSheet");
        activate(window);
        calc()->chain().selectElement(pressed == 2 ? 1 : 2);
        TNetworkButton* element = elementButton(pressed);
        element->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(element->hasFocus());

        sendKey(window, Qt::Key_Space);
        sendKey(window, Qt::Key_I, Qt::AltModifier);

        QTRY_COMPARE(calc()->chain().count(), 4);
        QCOMPARE(calc()->chain().selectedElement(), inserted);
        elementButton(0)->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < calc()->chain().count(); ++i) {
            sendKey(window, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), elementButton(i));
        }
    }
};

ZENTRIX_UI_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
