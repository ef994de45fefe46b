// The tool windows in the walk: opened from the main window's menu or by
// the menu item's shortcut, closed by their title bar, and a step of their
// own while shown. Whatever file dialog a step opens is cancelled: the walk
// writes no files.
#include "tests/app/Monkey.h"

#include "tests/app/MonkeyTool.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

void Monkey::toolStep()
{
    const std::vector<std::unique_ptr<MonkeyTool>>& tools = monkeyTools();
    if (tools.empty())
        return;
    const MonkeyTool& tool = *tools[size_t(below(int(tools.size())))];
    QWidget* window = toolWindow(tool);
    // A tool window is open for a stretch of the walk and then closed for
    // one, so that the calculators get steps without it as well as with it.
    if (!window || !window->isVisible()) {
        if (chance(15))
            openTool(tool);
        else
            clickSomething(false);
        return;
    }
    const int roll = below(100);
    if (roll < 25) {
        closeTool(tool, window);
    } else if (roll < 35) {
        resizeTool(tool, window);
    } else {
        activate(window);
        tool.step(*this, window);
    }
}

// As a user drags the window's border: anywhere from the size its layout
// needs to a 1024 x 768 screen.
void Monkey::resizeTool(const MonkeyTool& tool, QWidget* window)
{
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const QSize size(least.width() + below(qMax(1, 1024 - least.width())),
                     least.height() + below(qMax(1, 768 - least.height())));
    note(QStringLiteral("resize the %1 to %2 x %3")
             .arg(tool.name())
             .arg(size.width())
             .arg(size.height()));
    window->resize(size);
}

void Monkey::openTool(const MonkeyTool& tool)
{
    auto* item = form()->findChild<QAction*>(QLatin1String(tool.menuItem()));
    if (!item) {
        fail(QStringLiteral("no menu item %1 opens the %2")
                 .arg(QLatin1String(tool.menuItem()), tool.name()));
        return;
    }
    if (!item->shortcut().isEmpty() && chance(50)) {
        activate(form());
        const QKeyCombination keys = item->shortcut()[0];
        key(keys.key(), keys.keyboardModifiers());
        return;
    }
    for (QMenu* menu : form()->menuBar()->findChildren<QMenu*>()) {
        if (menu->actions().contains(item)) {
            openMenu(qPrintable(menu->objectName()), {item->objectName()});
            return;
        }
    }
}

void Monkey::closeTool(const MonkeyTool& tool, QWidget* window)
{
    // As the title bar's close button asks the window to close.
    note(QStringLiteral("close the %1 by its title bar").arg(tool.name()));
    window->close();
}

// The walk's screen is 1024 x 768: a window that opens larger is fitted to
// it, as a window manager does.
void Monkey::fitToolWindows()
{
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        QWidget* window = toolWindow(*tool);
        if (!window || !window->isVisible() || (window->width() <= 1024 && window->height() <= 768))
            continue;
        const QSize fitted = window->size().boundedTo(QSize(1024, 768));
        note(QStringLiteral("the screen fits the %1 to %2 x %3")
                 .arg(tool->name())
                 .arg(fitted.width())
                 .arg(fitted.height()));
        window->resize(fitted);
    }
}

void Monkey::dismissFileDialogs()
{
    for (int round = 0; round < 5; ++round) {
        QFileDialog* open = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            if (dialog && dialog->isVisible())
                open = dialog;
        }
        if (!open)
            return;
        note(QStringLiteral("cancel %1").arg(describe(open)));
        open->reject();
        settle();
    }
}
