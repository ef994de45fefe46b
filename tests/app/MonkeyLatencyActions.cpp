#include "tests/app/Monkey.h"

#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"

#include <QComboBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

// The directed chain edits work on the Network Setup tab, reached as a user
// would; false when the calculator did not come up.
bool Monkey::showLatencySetup()
{
    if (!latencyShown()) {
        // By its shortcut: whatever choosing it raises goes through the
        // application's error report, as for a user.
        activate(form());
        note(QStringLiteral("key Ctrl+L to choose the latency calculator"));
        QTest::keyClick(keyWindow(), Qt::Key_L, Qt::ControlModifier);
    }
    if (!latencyShown())
        return false;
    QTabWidget* tabs = latency()->pageControl();
    if (tabs->currentIndex() != 0) {
        note(QStringLiteral("show the Network Setup tab"));
        click(tabs->tabBar(), tabs->tabBar()->tabRect(0).center(), Qt::LeftButton);
    }
    return true;
}

void Monkey::rightClickElement(TNetworkButton* element, const QStringList& wishes)
{
    FPopupWishes = wishes;
    click(element, randomPointIn(element), Qt::RightButton);
}

void Monkey::rightClickPanel(const QStringList& wishes)
{
    QWidget* panel = setupPanel();
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QPoint pos(below(panel->width()), below(panel->height()));
        if (!panel->childAt(pos)) {
            FPopupWishes = wishes;
            click(panel, pos, Qt::RightButton);
            return;
        }
    }
}

void Monkey::editChain()
{
    if (!showLatencySetup())
        return;
    const QList<TNetworkButton*> chain = elementButtons();
    const QList<TNetworkButton*> networks = chain.mid(1, chain.size() - 2);
    const int roll = below(100);
    if (roll < 30) {
        click(latency()->findChild<QWidget*>(QStringLiteral("NewNetworkButton")), QPoint(40, 12),
              Qt::LeftButton);
    } else if (roll < 50) {
        rightClickPanel({QStringLiteral("NewNetwork1")});
    } else if (roll < 65) {
        rightClickElement(pick(networks), {QStringLiteral("RemoveItem")});
    } else if (roll < 80) {
        rightClickPanel({QStringLiteral("RemoveNetwork1"), QStringLiteral("*")});
    } else if (roll < 85) {
        click(latency()->findChild<QWidget*>(QStringLiteral("ResetButton")), QPoint(40, 12),
              Qt::LeftButton);
    } else {
        // Select an element: the insert point and the target of the dialog.
        TNetworkButton* element = pick(chain);
        click(element, randomPointIn(element), Qt::LeftButton);
    }
}

void Monkey::dialogAction()
{
    if (!dialog() || !dialog()->isVisible() || chance(15)) {
        if (!showLatencySetup())
            return;
        rightClickElement(pick(elementButtons()), {QStringLiteral("PropertiesItem")});
        return;
    }
    const auto child = [this](const char* name) {
        return dialog()->findChild<QWidget*>(QLatin1String(name));
    };
    QList<QWidget*> spinEdits;
    for (const char* name : {"PropDelaySpinEdit", "ProcessTimeSpinEdit", "PacketSizeSpinEdit"}) {
        QWidget* spin = child(name);
        if (spin->isVisible() && spin->isEnabled())
            spinEdits << spin;
    }
    auto* topology = qobject_cast<QComboBox*>(child("TopologyComboBox"));
    auto* bandwidth = qobject_cast<QComboBox*>(child("BandwidthComboBox"));
    const int roll = below(100);
    if (roll < 20 && topology->isVisible()) {
        // The arrow at the box's right end opens the list.
        FPopupWishes = {QStringLiteral("*")};
        click(topology, QPoint(topology->width() - 6, topology->height() / 2), Qt::LeftButton);
    } else if (roll < 28 && bandwidth->isVisible()) {
        FPopupWishes = {QStringLiteral("*")};
        click(bandwidth, QPoint(bandwidth->width() - 6, bandwidth->height() / 2), Qt::LeftButton);
    } else if (roll < 50) {
        QList<QWidget*> fields = spinEdits;
        for (QComboBox* box : {topology, bandwidth}) {
            if (box->isVisible())
                fields << box;
        }
        if (fields.isEmpty())
            return;
        QWidget* field = pick(fields);
        click(field, QPoint(10, field->height() / 2), Qt::LeftButton);
        QTest::keyClick(keyWindow(), Qt::Key_A, Qt::ControlModifier);
        QString text;
        if (qobject_cast<QComboBox*>(field) == topology && chance(50))
            text = pick(QStringList{"Campus WAN", "ethernet", "T1", "<Unknown Network>", "",
                                    "Token Ring", "x.25"});
        else
            text = chance(70) ? QString::number(below(chance(50) ? 3000 : 2000000000))
                              : randomText(false);
        note(QStringLiteral("type \"%1\" into %2").arg(shortText(text), describe(keyTarget())));
        typeText(text);
        if (chance(50)) {
            note(QStringLiteral("key Return"));
            QTest::keyClick(keyWindow(), Qt::Key_Return);
        }
    } else if (roll < 60 && !spinEdits.isEmpty()) {
        QWidget* spin = pick(spinEdits);
        click(spin, QPoint(10, spin->height() / 2), Qt::LeftButton);
        const Qt::Key key =
            pick(QList<Qt::Key>{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown});
        const int times = 1 + below(30);
        note(QStringLiteral("key %1 %2 times").arg(QKeySequence(key).toString()).arg(times));
        for (int i = 0; i < times; ++i)
            QTest::keyClick(keyWindow(), key);
    } else if (roll < 80) {
        QWidget* ok = child("OKButton");
        click(ok, randomPointIn(ok), Qt::LeftButton);
    } else if (roll < 90) {
        QWidget* cancel = child("CancelButton");
        click(cancel, randomPointIn(cancel), Qt::LeftButton);
    } else {
        activate(dialog());
        note(QStringLiteral("key Esc to %1").arg(describe(keyTarget())));
        QTest::keyClick(keyWindow(), Qt::Key_Escape);
    }
}

void Monkey::dragElement()
{
    if (!showLatencySetup())
        return;
    QWidget* panel = setupPanel();
    QPointer<TNetworkButton> element = pick(elementButtons());
    const QPoint start = randomPointIn(element);
    note(QStringLiteral("drag %1 from (%2,%3)")
             .arg(describe(element))
             .arg(start.x())
             .arg(start.y()));
    activate(form());
    mouse(QTest::MousePress, element, Qt::LeftButton, start);
    const int distance = QApplication::startDragDistance() + 1;
    if (element)
        mouse(QTest::MouseMove, element, Qt::NoButton,
              start + QPoint(distance, chance(50) ? distance : -distance));
    QPoint panelPos;
    for (int i = 0, moves = 1 + below(5); i < moves && element; ++i) {
        panelPos = QPoint(below(320) - 30, below(320) - 30);
        note(QStringLiteral("  move to panel (%1,%2)").arg(panelPos.x()).arg(panelPos.y()));
        mouse(QTest::MouseMove, panel, Qt::NoButton, panelPos);
    }
    if (element && chance(8)) {
        // A right press in the middle of the drag opens the element's menu.
        note(QStringLiteral("  right press during the drag"));
        FPopupWishes = {QStringLiteral("*")};
        mouse(QTest::MousePress, panel, Qt::RightButton, panelPos);
        mouse(QTest::MouseRelease, panel, Qt::RightButton, panelPos);
    }
    note(QStringLiteral("  release"));
    mouse(QTest::MouseRelease, panel, Qt::LeftButton, panelPos);
}
