#include "tests/support/UiFixture.h"

#include "app/About.h"
#include "app/Image.h"
#include "controls/SuperStringGrid.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>

#include <algorithm>

namespace {

// What a screen reader announces as the widget's name.
QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

// The captions a screen reader reads together with the widget.
QStringList captionsOf(QWidget* widget)
{
    QStringList captions;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget)) {
        for (const auto& relation : iface->relations(QAccessible::Label))
            captions << relation.first->text(QAccessible::Name).trimmed();
    }
    return captions;
}

QString withoutAccelerator(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

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

// How a failure names a widget: its object name, else what it is and says.
QString nameForReport(QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    return QStringLiteral("%1 \"%2\"")
        .arg(QLatin1String(widget->metaObject()->className()), accessibleName(widget));
}

QString focusedControl()
{
    return nameForReport(controlOf(QApplication::focusWidget()));
}

// A value display: a label named as a panel, or one that a caption label names.
bool isResultPanel(QWidget* widget)
{
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || label->focusPolicy() != Qt::NoFocus)
        return false;
    if (label->objectName().endsWith(QLatin1String("Panel")))
        return true;
    const QList<QLabel*> siblings =
        label->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(siblings.begin(), siblings.end(),
                       [label](QLabel* caption) { return caption->buddy() == label; });
}

// A control that shows a picture instead of a text.
bool isPicture(QWidget* widget)
{
    if (qobject_cast<TImage*>(widget))
        return true;
    auto* button = qobject_cast<QAbstractButton*>(widget);
    return button && !button->icon().isNull() && button->text().isEmpty();
}

bool takesFocus(QWidget* widget)
{
    // A widget with a focus proxy hands the focus on and is not a stop itself.
    return widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy();
}

void sendKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* receiver = QApplication::focusWidget();
    QTest::keyClick(receiver && receiver->window() == window ? receiver : window, key, modifiers);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    TLatencyCalc* latency() const { return form->latencyCalc(); }
    TNetworkButton* elementButton(int position) const
    {
        return latency()->setupEditor()->button(position);
    }

    static void activate(QWidget* window)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    // Shows a calculator page, the about box or the properties dialog of an
    // element, and returns its window. `scene` is a Calculator menu item with
    // `page` the tab page to show, or "about", or "properties" with `page`
    // "node" or "network".
    QWidget* show(const QString& scene, const QString& page)
    {
        if (scene == QLatin1String("about")) {
            form->findChild<QAction*>("About1")->trigger();
            return form->aboutBox();
        }
        if (scene == QLatin1String("properties")) {
            form->findChild<QAction*>("LatencyCalculator1")->trigger();
            const int position = page == QLatin1String("node") ? 0 : 1;
            latency()->chain().selectElement(position);
            elementButton(position)
                ->ElementMenu()
                ->findChild<QAction*>("PropertiesItem")
                ->trigger();
            return latency()->propertiesForm();
        }
        form->findChild<QAction*>(scene)->trigger();
        auto* sheet = form->findChild<QWidget*>(page);
        for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
            if (tabs->indexOf(sheet) >= 0)
                tabs->setCurrentWidget(sheet);
        }
        return form.get();
    }

    void addScenes()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::newRow("number base: conversion") << "RadixorCalculator1"
                                                 << "ConversionTabSheet";
        QTest::newRow("number base: lookup table") << "RadixorCalculator1"
                                                   << "LookupTableTabSheet";
        QTest::newRow("subnet: general info") << "VantrelCalculator1"
                                              << "GeneralInfoTab";
        QTest::newRow("subnet: address info") << "VantrelCalculator1"
                                              << "AddressInfoTab";
        QTest::newRow("subnet: subnets/hosts") << "VantrelCalculator1"
                                               << "SubnetHostTab";
        QTest::newRow("subnet: CIDR") << "VantrelCalculator1"
                                      << "CIDRTab";
        QTest::newRow("latency: network setup") << "LatencyCalculator1"
                                                << "NetworkSetupTabSheet";
        QTest::newRow("latency: statistics") << "LatencyCalculator1"
                                             << "LatencyStatsTabSheet";
        QTest::newRow("latency: graphs") << "LatencyCalculator1"
                                         << "LatencyGraphsTabSheet";
        QTest::newRow("about box") << "about" << QString();
        QTest::newRow("properties of a network") << "properties"
                                                 << "network";
        QTest::newRow("properties of a node") << "properties"
                                              << "node";
    }

private slots:
    void init()
    {
        clearStoredSettings();
        form = makeMainForm();
    }

    void cleanup()
    {
        form.reset();
        ZENTRIX_EXPECT_NO_MESSAGES();
    }

    void everyControlHasAName_data() { addScenes(); }

    // Every control a keyboard user can reach, every value display and every
    // picture has a name; a value display says its caption and its value; a
    // picture's name is its hint.
    void everyControlHasAName()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QWidget* window = show(scene, page);
        QVERIFY(window->isVisible());

        QStringList unnamed;
        QStringList faults;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            const QString name = accessibleName(widget);
            const bool panel = isResultPanel(widget);
            if ((takesFocus(widget) || panel || isPicture(widget)) && name.isEmpty())
                unnamed << nameForReport(widget);
            if (panel) {
                const QString shown = withoutAccelerator(static_cast<QLabel*>(widget)->text());
                if (name != shown.trimmed())
                    faults << widget->objectName() + " is named \"" + name + "\" but shows \"" +
                                  shown + '"';
                if (captionsOf(widget).isEmpty())
                    faults << widget->objectName() + " has no caption";
            }
            if (isPicture(widget) && !widget->toolTip().isEmpty() && name != widget->toolTip())
                faults << widget->objectName() + " is not named by its hint";
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable("no name: " + unnamed.join(", ")));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

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
        QSignalSpy clicks(button, &QAbstractButton::clicked);

        sendKey(window, Qt::Key(key), Qt::AltModifier);

        if (presses)
            QTRY_COMPARE(clicks.count(), 1);
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
        const int target = latency()->chain().selectedElement();
        const QString label = latency()->chain().at(target).Hint;
        auto* control = window->findChild<QWidget*>(field);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), typed);

        sendKey(window, Qt::Key_Escape);

        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(latency()->chain().at(target).Hint, label);
    }

    void resultPanelsSayTheirCaptionAndValue_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("caption");

        QTest::newRow("more subnet bits") << "GeneralInfoTab"
                                          << "BitsSpinEdit"
                                          << "10"
                                          << "MaxSubnetsPanel"
                                          << "Max # of Subnets";
        QTest::newRow("another address") << "AddressInfoTab"
                                         << "MaskEdit1"
                                         << "10"
                                         << "HexAddressPanel"
                                         << "Hexadecimal";
        QTest::newRow("more supernet bits") << "CIDRTab"
                                            << "BitsSpinEdit"
                                            << "4"
                                            << "NumNetworksPanel"
                                            << "Max # of Supernets";
    }

    // After an edit changes a panel, a screen reader reads the new value
    // with the panel's caption.
    void resultPanelsSayTheirCaptionAndValue()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, panel);
        QFETCH(QString, caption);
        QWidget* window = show("VantrelCalculator1", page);
        activate(window);
        auto* display = window->findChild<QLabel*>(panel);
        const QString before = display->text();
        auto* edit = window->findChild<QWidget*>(field);
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, typed);
        sendKey(window, Qt::Key_Return);

        QVERIFY(display->text() != before);
        QCOMPARE(accessibleName(display), display->text());
        QCOMPARE(captionsOf(display), QStringList{caption});
    }

    // A screen reader checks a radio item through its actions; the
    // calculator must follow as it follows a click.
    void radioItemsCheckedByAnActionActAsAClick_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("display");
        const QString toggle = QAccessibleActionInterface::toggleAction();
        const QString press = QAccessibleActionInterface::pressAction();
        QTest::newRow("address class, toggle")
            << "VantrelCalculator1"
            << "GeneralInfoTab"
            << "AddressTypeClassC" << toggle << "DecClassMaskPanel";
        QTest::newRow("address class, press")
            << "VantrelCalculator1"
            << "GeneralInfoTab"
            << "AddressTypeClassC" << press << "DecClassMaskPanel";
        QTest::newRow("number width, toggle") << "RadixorCalculator1"
                                              << "ConversionTabSheet"
                                              << "NumberWidth8Button" << toggle << "BinMemo";
        QTest::newRow("packet direction, toggle")
            << "LatencyCalculator1"
            << "LatencyStatsTabSheet"
            << "PacketDirBtoA" << toggle << "LatencyStatsStringGrid";
    }

    void radioItemsCheckedByAnActionActAsAClick()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QFETCH(QString, item);
        QFETCH(QString, action);
        QFETCH(QString, display);
        // Node A's time makes the directions' totals differ.
        TNetworkElement nodeA = latency()->chain().nodeA();
        nodeA.ProcessTime = 10;
        latency()->chain().setElement(0, nodeA);
        QWidget* window = show(scene, page);
        auto* target = window->findChild<QRadioButton*>(item);
        QRadioButton* first = nullptr;
        for (auto* sibling : target->parentWidget()->findChildren<QRadioButton*>()) {
            if (sibling->isChecked())
                first = sibling;
        }
        QVERIFY(first && first != target);
        QWidget* shown = window->findChild<QWidget*>(display);
        const auto read = [shown]() -> QString {
            if (auto* grid = qobject_cast<TSuperStringGrid*>(shown))
                return grid->Cells(1, grid->RowCount() - 1);
            if (auto* field = qobject_cast<QLineEdit*>(shown))
                return field->text();
            return qobject_cast<QLabel*>(shown)->text();
        };
        const QString before = read();
        const auto click = [](QRadioButton* radio) {
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
        };
        click(target);
        const QString clicked = read();
        QVERIFY(clicked != before);
        click(first);
        QCOMPARE(read(), before);

        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(target);
        QVERIFY(iface && iface->actionInterface());
        iface->actionInterface()->doAction(action);
        QTRY_VERIFY(target->isChecked());
        QCOMPARE(read(), clicked);
    }

    void clippedTextShowsWholeInItsTooltip_data()
    {
        QTest::addColumn<QString>("scene");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("widerFace");
        QTest::addColumn<bool>("clipped");

        QTest::newRow("legend of a long network name") << "properties"
                                                       << "network"
                                                       << "TopologyComboBox"
                                                       << "MPLS WAN to the branch office"
                                                       << "YellowLabel" << 0 << true;
        QTest::newRow("legend of a node")
            << "LatencyCalculator1"
            << "LatencyGraphsTabSheet" << QString() << QString() << "RedLabel" << 0 << false;
        QTest::newRow("bit map at 22 bits") << "VantrelCalculator1"
                                            << "GeneralInfoTab"
                                            << "BitsSpinEdit"
                                            << "22"
                                            << "BitMapPanel" << 0 << false;
        // A desktop without the narrow face that the layout is drawn for.
        QTest::newRow("bit map in a wider face") << "VantrelCalculator1"
                                                 << "GeneralInfoTab"
                                                 << "BitsSpinEdit"
                                                 << "22"
                                                 << "BitMapPanel" << 4 << true;
    }

    // A label or panel too narrow for its text shows the whole text as its
    // tooltip; one whose text fits has none.
    void clippedTextShowsWholeInItsTooltip()
    {
        QFETCH(QString, scene);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, label);
        QFETCH(int, widerFace);
        QFETCH(bool, clipped);
        QWidget* window = show(scene, page);
        activate(window);
        if (!field.isEmpty()) {
            auto* edit = window->findChild<QWidget*>(field);
            edit->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(edit->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), typed);
            if (scene == QLatin1String("properties")) {
                sendKey(window, Qt::Key_O, Qt::AltModifier);
                QTRY_VERIFY(!window->isVisible());
                show("LatencyCalculator1", "LatencyGraphsTabSheet");
            } else {
                sendKey(window, Qt::Key_Return);
            }
        }
        auto* shown = form->findChild<QLabel*>(label);
        QVERIFY(shown && shown->isVisible());
        if (widerFace > 0) {
            QFont face = shown->font();
            face.setPixelSize(QFontInfo(face).pixelSize() + widerFace);
            shown->setFont(face);
        }

        const QPoint centre = shown->rect().center();
        QHelpEvent asked(QEvent::ToolTip, centre, shown->mapToGlobal(centre));
        QApplication::sendEvent(shown, &asked);
        QCOMPARE(shown->toolTip(), clipped ? shown->text() : QString());
        QToolTip::hideText();
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
        latency()->chain().selectElement(other);
        const TNetworkElement otherBefore = latency()->chain().at(other);
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

        TTNetworkButtonForm* dialog = latency()->propertiesForm();
        QTRY_VERIFY(dialog->isVisible());
        activate(dialog);
        auto* edit = dialog->findChild<QWidget*>(field);
        edit->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::number(value));
        sendKey(dialog, Qt::Key_O, Qt::AltModifier);

        QTRY_VERIFY(!dialog->isVisible());
        const TNetworkElement& changed = latency()->chain().at(position);
        QCOMPARE(position == 1 ? changed.PropagationDelay : changed.PacketSize, value);
        const TNetworkElement& otherAfter = latency()->chain().at(other);
        QCOMPARE(otherAfter.PacketSize, otherBefore.PacketSize);
        QCOMPARE(otherAfter.PropagationDelay, otherBefore.PropagationDelay);
        QCOMPARE(otherAfter.Hint, otherBefore.Hint);
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
        latency()->chain().selectElement(pressed == 2 ? 1 : 2);
        TNetworkButton* element = elementButton(pressed);
        element->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(element->hasFocus());

        sendKey(window, Qt::Key_Space);
        sendKey(window, Qt::Key_I, Qt::AltModifier);

        QTRY_COMPARE(latency()->chain().count(), 4);
        QCOMPARE(latency()->chain().selectedElement(), inserted);
        elementButton(0)->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < latency()->chain().count(); ++i) {
            sendKey(window, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), elementButton(i));
        }
    }
};

ZENTRIX_UI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
