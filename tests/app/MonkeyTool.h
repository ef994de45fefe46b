#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Monkey;
class QWidget;

// A tool window the monkey's walk acts in: a window of its own beside the
// calculators, opened from the main window's menu (or its shortcut) and
// built only when first opened.
//
// The walk opens, closes and reopens each tool window, sends it random
// clicks and keys like any other window, and now and then lets the tool
// take a step of its own. After every step it checks the tool's invariants
// and that the window was made only once opened; closing and opening again
// must keep what keptState() reads, and a window made again after the main
// window closed must show what rememberedState() read before.
//
// The walk's screen is 1024 x 768: a window that opens larger is fitted to
// it, and now and then a window is resized anywhere between the size its
// layout needs and the screen's.
//
// A tool reaches its controls as a user-level driver does: by their object
// names and accessible names, and through the views' models, never through
// the window's private members, so that the window's insides can change.
//
// A new tool window plugs in with a steps file and an invariants file of its
// own (the planner's: MonkeyPlannerSteps.cpp and MonkeyPlannerInvariants.cpp)
// and one line in the list of monkeyTools() (MonkeyTools.cpp).
class MonkeyTool
{
public:
    virtual ~MonkeyTool() = default;

    // For the log.
    virtual QString name() const = 0;
    // The main window's menu item that opens the window (its object name).
    virtual const char* menuItem() const = 0;
    // The window's object name.
    virtual const char* windowName() const = 0;
    // Forgets whatever the window remembers between runs, so that every walk
    // starts alike.
    virtual void forget() const {}
    // Messages the window shows in a box as it means to (a question, say),
    // as regular expressions; any other box is a fault.
    virtual QStringList expectedMessages() const { return {}; }

    // One random step in the shown window.
    virtual void step(Monkey& monkey, QWidget* window) const = 0;

    // The fault found in the window, or nothing.
    virtual QString check(QWidget* window) const = 0;
    // What closing the window and opening it again keeps, as text to compare.
    virtual QString keptState(QWidget* window) const = 0;
    // What the window, made again after the main window closed, shows again.
    virtual QString rememberedState(QWidget* window) const { return keptState(window); }
};

// Every tool window the walk knows, in a fixed order.
const std::vector<std::unique_ptr<MonkeyTool>>& monkeyTools();
