// The walk and what the window makes when first used: calculators held
// back and chosen late, and the checks that nothing is made before it is
// chosen or opened, that a calculator or tool window made late shows what
// the last window left, and that closing and opening a tool window again
// keeps what it showed.
#include "tests/app/Monkey.h"

#include "tests/app/MonkeyTool.h"

#include "app/Image.h"

#include <QAction>

// After a new window, each calculator it has not made yet is held back now
// and then, for a stretch of steps: no step chooses it until then, and then
// a step of its own chooses it, after everything done meanwhile.
void Monkey::holdCalculators()
{
    for (int i = 0; i < 3; ++i) {
        FHeldUntil[i] = 0;
        if (madeCalculator(form(), i) || !chance(60))
            continue;
        FHeldUntil[i] = FStep + 20 + below(400);
        note(QStringLiteral("hold %1 back until step %2")
                 .arg(QLatin1String(containerNames[i]))
                 .arg(FHeldUntil[i]));
    }
}

bool Monkey::chooseHeldCalculator()
{
    for (int i = 0; i < 3; ++i) {
        if (FHeldUntil[i] == 0 || held(i))
            continue;
        FHeldUntil[i] = 0;
        // A step may have chosen it some way the walk does not foresee.
        if (madeCalculator(form(), i))
            continue;
        note(QStringLiteral("choose %1 for the first time").arg(QLatin1String(containerNames[i])));
        chooseCalculator(i, below(3));
        QWidget* view = madeCalculator(form(), i);
        if (!view || !view->isVisible())
            fail(QStringLiteral("choosing %1 for the first time did not show it")
                     .arg(QLatin1String(containerNames[i])));
        return true;
    }
    return false;
}

int Monkey::shownCalculator() const
{
    for (int i = 0; i < 3; ++i) {
        QWidget* view = madeCalculator(form(), i);
        if (view && view->isVisible())
            return i;
    }
    return -1;
}

// The logo cycles subnet, latency, number-base.
void Monkey::chooseCalculator(int calculator, int route)
{
    if (route == 2 && (shownCalculator() + 1) % 3 != calculator)
        route = 0;
    switch (route) {
    case 0:
        activate(form());
        key(calculatorKeys[calculator], Qt::ControlModifier);
        break;
    case 1:
        openMenu("Calculator1", {QString::fromLatin1(menuItemNames[calculator])});
        break;
    default: {
        auto* logo = form()->findChild<TImage*>(QStringLiteral("CalcImage"));
        click(logo, randomPointIn(logo), Qt::LeftButton);
        break;
    }
    }
}

QWidget* Monkey::toolWindow(const MonkeyTool& tool) const
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(tool.windowName()))
            return window;
    }
    return nullptr;
}

void Monkey::watchShown(QWidget* widget, QEvent::Type type)
{
    const bool shown = type == QEvent::Show;
    const QString name = widget->objectName();
    if (name.isEmpty() || FStopping)
        return;
    if (shown && name == QLatin1String(containerNames[2]) && FPendingLayout) {
        // The first latency calculator since a window closed with one.
        const SavedLayout now = savedLayout(*form());
        if (!now.sameChain(*FPendingLayout) && FShowProblem.isEmpty())
            FShowProblem = QStringLiteral("the latency calculator made after a restart shows "
                                          "another chain than the last window saved:\n"
                                          "  saved: %1\n  shown: %2")
                               .arg(FPendingLayout->elements.join(QStringLiteral(" | ")),
                                    now.elements.join(QStringLiteral(" | ")));
        FPendingLayout.reset();
    }
    for (const char* calculator : containerNames) {
        if (shown && name == QLatin1String(calculator))
            FShownSinceStart.insert(name);
    }
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        if (name != QLatin1String(tool->windowName()) || !widget->isWindow())
            continue;
        // What it shows as it is asked to close, before its own handling
        // of the close: that must not lose anything either.
        if (type == QEvent::Close)
            FKeptStates.insert(name, tool->keptState(widget));
        if (type == QEvent::Hide && !FKeptStates.contains(name))
            FKeptStates.insert(name, tool->keptState(widget));
        FTouched.insert(widget);
        if (!shown)
            continue;
        FShownSinceStart.insert(name);
        // Opened again, the same window shows what it showed as it closed;
        // made again after the main window closed, what it remembered.
        QString before;
        QString now;
        if (FKeptStates.contains(name)) {
            before = FKeptStates.take(name);
            now = tool->keptState(widget);
        } else if (FRememberedStates.contains(name)) {
            before = FRememberedStates.take(name);
            now = tool->rememberedState(widget);
        }
        if (now != before && FShowProblem.isEmpty())
            FShowProblem = QStringLiteral("the %1 opened again shows another state:\n"
                                          "  before: %2\n  now:    %3")
                               .arg(tool->name(), shortText(before, 400), shortText(now, 400));
    }
}

QString Monkey::checkFirstUse()
{
    for (int i = 0; i < 3; ++i) {
        const QString name = QLatin1String(containerNames[i]);
        if (madeCalculator(form(), i) && !FShownSinceStart.contains(name))
            return QStringLiteral("%1 was made without being chosen").arg(name);
    }
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        const QString name = QLatin1String(tool->windowName());
        if (toolWindow(*tool) && !FShownSinceStart.contains(name))
            return QStringLiteral("the %1 was made without being opened").arg(tool->name());
    }
    return {};
}

void Monkey::rememberBeforeClosing()
{
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        if (QWidget* window = toolWindow(*tool))
            FRememberedStates.insert(QLatin1String(tool->windowName()),
                                     tool->rememberedState(window));
    }
}
