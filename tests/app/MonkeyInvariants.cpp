#include "tests/app/MonkeyInvariants.h"

#include "tests/app/MonkeyTool.h"
#include "tests/app/MonkeyWindow.h"
#include "tests/support/UiFixture.h"

#include "app/Image.h"
#include "controls/BetterSpinEdit.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "subnet/SubnetCalc.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTabWidget>

#include <algorithm>
#include <cstring>

namespace {

// The messages the program means to show; anything else in a box is a fault.
const QStringList expectedMessagePatterns{
    QStringLiteral("^'.*' is not a valid integer value$"),
    QStringLiteral("^'.*' is not a valid floating point value$"),
    QStringLiteral("^Range check error$"),
    QStringLiteral("^Integer overflow$"),
};

const int gridLefts[] = {8, 75, 143, 210};
const int gridTops[] = {8, 72, 136, 200};
bool onGrid(const QPoint& pos)
{
    return std::find(std::begin(gridLefts), std::end(gridLefts), pos.x()) != std::end(gridLefts) &&
           std::find(std::begin(gridTops), std::end(gridTops), pos.y()) != std::end(gridTops);
}

} // namespace

bool isExpectedMessage(const QString& text)
{
    QStringList patterns = expectedMessagePatterns;
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools())
        patterns += tool->expectedMessages();
    for (const QString& pattern : patterns) {
        if (QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
                .match(text)
                .hasMatch())
            return true;
    }
    return false;
}

// A calculator is made when first shown: one not made yet is not shown.
bool shows(TMainForm& form, int calculator)
{
    QWidget* view = madeCalculator(&form, calculator);
    return view && view->isVisible();
}

QString checkCalculators(TMainForm& form)
{
    int shown = -1;
    for (int i = 0; i < 3; ++i) {
        auto* item = form.findChild<QAction*>(QLatin1String(menuItemNames[i]));
        const bool visible = shows(form, i);
        if (visible) {
            if (shown >= 0)
                return QStringLiteral("two calculators shown: %1 and %2")
                    .arg(QLatin1String(containerNames[shown]), QLatin1String(containerNames[i]));
            shown = i;
        }
        if (item->isChecked() != visible)
            return QStringLiteral("%1 checked: %2, but %3 shown: %4")
                .arg(QLatin1String(menuItemNames[i]))
                .arg(item->isChecked())
                .arg(QLatin1String(containerNames[i]))
                .arg(visible);
    }
    if (shown < 0)
        return QStringLiteral("no calculator shown");
    const QSvgRenderer* logo = form.findChild<TImage*>(QStringLiteral("CalcImage"))->picture();
    if (!logo || logo->objectName() != QLatin1String(logoNames[shown]))
        return QStringLiteral("logo %1 with %2 shown")
            .arg(logo ? logo->objectName() : QStringLiteral("(none)"),
                 QLatin1String(containerNames[shown]));
    return {};
}

QString checkSpinEdit(TMainForm& form)
{
    auto* subnet = qobject_cast<TSubnetCalc*>(madeCalculator(&form, 1));
    if (!subnet)
        return {};
    auto* bits = subnet->findChild<TBetterSpinEdit*>(QStringLiteral("BitsSpinEdit"));
    const QWidget* page = subnet->pageControl()->currentWidget();
    const int maximum = page && page->objectName() == QLatin1String("CIDRTab") ? 24 : 22;
    if (bits->MinValue() != 1 || bits->MaxValue() != maximum || bits->Value() < bits->MinValue() ||
        bits->Value() > bits->MaxValue())
        return QStringLiteral("subnet bits %1 with bounds %2..%3 on %4 (expected 1..%5)")
            .arg(bits->Value())
            .arg(bits->MinValue())
            .arg(bits->MaxValue())
            .arg(page ? page->objectName() : QString())
            .arg(maximum);
    return {};
}

QString checkChain(TMainForm& form)
{
    TLatencyCalc* calc = madeLatency(&form);
    if (!calc)
        return {};
    const TLatencyChain& chain = calc->chain();
    const QList<TNetworkButton*> buttons = chainButtons(calc);
    const int size = chain.count();
    if (size < 3 || size > maxChainLength)
        return QStringLiteral("the chain holds %1 elements").arg(size);
    if (buttons.contains(nullptr))
        return QStringLiteral("an element of the chain has no button");
    if (chain.nodeA().Kind != nbDesktopCPU || buttons.first()->Kind() != nbDesktopCPU)
        return QStringLiteral("the chain starts with %1").arg(describe(buttons.first()));
    if (chain.nodeB().Kind != nbTowerCPU || buttons.last()->Kind() != nbTowerCPU)
        return QStringLiteral("the chain ends with %1").arg(describe(buttons.last()));
    if (buttons.first()->pos() != QPoint(8, 8) || buttons.last()->pos() != QPoint(210, 200))
        return QStringLiteral("a node moved");
    if (chain.selectedElement() < 0 || chain.selectedElement() >= size)
        return QStringLiteral("the selected element is not in the chain");

    QWidget* panel = networkSetupPanel(calc);
    const int networks = size - 2;
    for (int i = 0; i < size; ++i) {
        TNetworkButton* element = buttons[i];
        if (buttons.indexOf(element) != i)
            return QStringLiteral("element %1 has no button of its own").arg(i);
        if (element->parentWidget() != panel || element->isHidden() ||
            !panel->rect().contains(element->geometry()) || !onGrid(element->pos()))
            return QStringLiteral("element %1 (%2) at (%3,%4) is not in a cell of the setup panel")
                .arg(i)
                .arg(element->Hint())
                .arg(element->x())
                .arg(element->y());
        if (element->pos() != qPoint(chain.at(i).Position) ||
            element->Hint() != qText(chain.at(i).Hint) || element->Kind() != chain.at(i).Kind)
            return QStringLiteral("the button of element %1 shows %2, not %3")
                .arg(i)
                .arg(shortText(element->Hint()), shortText(qText(chain.at(i).Hint)));
        const bool network = i > 0 && i < size - 1;
        if (network && chain.at(i).isNode())
            return QStringLiteral("element %1 is a network with a node's kind").arg(i);
        const bool removable =
            element->ElementMenu()->findChild<QAction*>(QStringLiteral("RemoveItem"))->isVisible();
        if (removable != (network && networks >= 2))
            return QStringLiteral("\"Remove\" %1 in the menu of element %2 with %3 networks")
                .arg(removable ? QStringLiteral("offered") : QStringLiteral("missing"))
                .arg(i)
                .arg(networks);
    }
    int shownElements = 0;
    for (TNetworkButton* element :
         panel->findChildren<TNetworkButton*>(QString(), Qt::FindDirectChildrenOnly))
        shownElements += element->isHidden() ? 0 : 1;
    if (shownElements != size)
        return QStringLiteral("%1 elements on the panel for a chain of %2")
            .arg(shownElements)
            .arg(size);

    auto* removeMenu = calc->findChild<QMenu*>(QStringLiteral("RemoveNetwork1"));
    const bool offered =
        removeMenu->menuAction()->isVisible() && removeMenu->menuAction()->isEnabled();
    if (offered != (networks >= 2))
        return QStringLiteral("\"Remove Network\" %1 with %2 networks")
            .arg(offered ? QStringLiteral("offered") : QStringLiteral("not offered"))
            .arg(networks);
    // The entries are made and captioned as the submenu opens.
    emit removeMenu->aboutToShow();
    const QList<QAction*> entries = removeMenu->actions();
    if (entries.size() != networks)
        return QStringLiteral("the remove submenu has %1 entries for %2 networks")
            .arg(entries.size())
            .arg(networks);
    for (int j = 0; j < networks; ++j) {
        QString label = qText(chain.at(j + 1).Hint);
        label.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString expected = QString::number(j + 1) + QStringLiteral(".  ") + label;
        if (entries[j]->text() != expected)
            return QStringLiteral("remove entry %1 reads \"%2\", expected \"%3\"")
                .arg(j)
                .arg(shortText(entries[j]->text()), shortText(expected));
    }

    const bool full = size >= maxChainLength;
    const QWidget* insertButton = calc->findChild<QWidget*>(QStringLiteral("NewNetworkButton"));
    const QAction* insertItem = calc->findChild<QAction*>(QStringLiteral("NewNetwork1"));
    if (insertButton->isEnabled() == full || insertItem->isEnabled() == full)
        return QStringLiteral("insert %1 with %2 elements")
            .arg(full ? QStringLiteral("offered") : QStringLiteral("refused"))
            .arg(size);
    return {};
}

SavedLayout savedLayout(TMainForm& form)
{
    SavedLayout layout;
    for (int i = 0; i < 3; ++i) {
        QWidget* view = madeCalculator(&form, i);
        if (view && !view->isHidden()) {
            layout.calculator = i;
            break;
        }
    }
    const TLatencyCalc* calc = madeLatency(&form);
    layout.chainKnown = calc != nullptr;
    if (!calc)
        return layout;
    const TLatencyChain& chain = calc->chain();
    for (int i = 0; i < chain.count(); ++i) {
        const TNetworkElement& element = chain.at(i);
        if (element.isNode()) {
            layout.elements << QStringLiteral("node %1: %2 bytes, %3 ms")
                                   .arg(element.Kind)
                                   .arg(element.PacketSize)
                                   .arg(element.ProcessTime);
            continue;
        }
        float bandwidth = element.Bandwidth;
        quint32 bits = 0;
        std::memcpy(&bits, &bandwidth, sizeof bits);
        layout.elements << QStringLiteral("network %1 \"%2\": %3 Mbps (%4), %5 ms at (%6,%7)")
                               .arg(element.Kind)
                               .arg(shortText(qText(element.NetworkName)))
                               .arg(double(bandwidth))
                               .arg(bits, 8, 16, QLatin1Char('0'))
                               .arg(element.PropagationDelay)
                               .arg(element.Position.X)
                               .arg(element.Position.Y);
        layout.names << qText(element.NetworkName);
    }
    return layout;
}

QString describeState(TMainForm& form)
{
    QStringList calculators;
    for (int i = 0; i < 3; ++i) {
        if (shows(form, i))
            calculators << QLatin1String(containerNames[i]);
    }
    const TLatencyCalc* latency = madeLatency(&form);
    if (!latency)
        return QStringLiteral("shown %1; latency calculator not made")
            .arg(calculators.join(QLatin1Char('+')));
    QStringList chain;
    for (int i = 0; i < latency->chain().count(); ++i)
        chain << shortText(qText(latency->chain().at(i).Hint));
    return QStringLiteral("shown %1; chain [%2]; dialog %3")
        .arg(calculators.join(QLatin1Char('+')), chain.join(QStringLiteral(", ")),
             latency->propertiesForm()->isVisible() ? QStringLiteral("open")
                                                    : QStringLiteral("closed"));
}
