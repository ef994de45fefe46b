#pragma once

#include <QWidget>

class QAbstractButton;
class QTabWidget;

// A calculator as the main window sees it: a container with one tab control,
// whose pages have enter and leave effects, and which may offer a copy
// button to the window's Edit > Copy command.
class TCalcView : public QWidget
{
    Q_OBJECT
public:
    explicit TCalcView(QWidget* parent = nullptr) : QWidget(parent) {}

    // The calculator's tab control (for the latency calculator, the only child).
    virtual QTabWidget* pageControl() const = 0;

    // Effects of a page becoming the active one, including its enter action
    // and the refresh of what the page shows.
    virtual void pageEntered(QWidget* page) = 0;
    // Effects of a page about to be left, including its exit action.
    virtual void pageLeaving(QWidget* page) = 0;

signals:
    // The view can copy now, with this button: Edit > Copy clicks it.
    void copyAvailable(QAbstractButton* button);
    // The view can no longer copy: the Edit menu goes disabled.
    void copyUnavailable();
    // The Edit menu goes enabled while Edit > Copy keeps the button it had:
    // a page that copies only what it has worked out takes the command once
    // that work is done.
    void editMenuEnabled();
};
