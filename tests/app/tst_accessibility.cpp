#include "tests/app/SceneDriver.h"

#include "app/Image.h"
#include "controls/SuperStringGrid.h"
#include "latency/LatencyCalc.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolTip>

#include <algorithm>

namespace {

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

} // namespace

// What a screen reader finds in every window: names for the controls, the
// value displays and the pictures, and the same commands a mouse user has.
class TestAccessibility : public QObject, SceneDriver
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

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
        typeOver(window->findChild<QWidget*>(field), typed);
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
        TNetworkElement nodeA = calc()->chain().nodeA();
        nodeA.ProcessTime = 10;
        calc()->chain().setElement(0, nodeA);
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
        clickItem(target);
        const QString clicked = read();
        QVERIFY(clicked != before);
        clickItem(first);
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
            typeOver(window->findChild<QWidget*>(field), typed);
            if (scene == QLatin1String("properties")) {
                sendKey(window, Qt::Key_O, Qt::AltModifier);
                QTRY_VERIFY(!window->isVisible());
                show("LatencyCalculator1", "LatencyGraphsTabSheet");
            } else {
                sendKey(window, Qt::Key_Return);
            }
        }
        auto* shown = form()->findChild<QLabel*>(label);
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
};

ZENTRIX_UI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
