#pragma once

#include "latency/LatencyCalc.h"
#include "tests/app/MonkeyWindow.h"
#include "tests/support/WindowDriver.h"

#include <QHash>
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>

class TNetworkButton;
class TTNetworkButtonForm;
class QMenu;

// A seeded random walk through the real main window: clicks, keys, typed
// and pasted texts, tab and calculator switches, the properties dialog,
// inserting, removing and dragging networks, and now and then closing the
// window with Ctrl+X and building it again from what it saved. After every
// step the invariants in MonkeyInvariants.h are checked.
//
// Every random choice comes from the one generator seeded here, in the order
// the steps make them, so one seed always walks the same way.
class Monkey : public QObject
{
    Q_OBJECT
public:
    explicit Monkey(quint32 seed, QObject* parent = nullptr)
        : QObject(parent), FSeed(seed), FRandom(seed)
    {
    }

    // Walks `steps` random steps; false with failure() set at the first broken invariant.
    bool run(int steps);
    QString failure() const { return FFailure; }
    const QStringList& actions() const { return FActions; }
    // The state at the end of the walk, to compare two walks.
    QString finalState() const { return FFinalState; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Random choices, all from the one seeded generator.
    int below(int n) { return n <= 0 ? 0 : int(FRandom.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> T pick(const QList<T>& list) { return list.at(below(int(list.size()))); }

    // The walk itself (Monkey.cpp).
    void note(const QString& action);
    void startWindow();
    void stopWindow();
    void rebuildWindow(const QString& why);
    void fail(const QString& problem);
    // The message boxes shown since the last step, each one noted in the log.
    QString checkMessages();

    // The program's windows and what can be clicked in them, in a fixed order.
    QList<QWidget*> windows() const;
    QList<QWidget*> clickableWidgets() const;
    QPoint randomPointIn(QWidget* widget);
    void activate(QWidget* window);
    QWindow* keyWindow();
    QWidget* keyTarget();
    void mouse(QTest::MouseAction action, QWidget* widget, Qt::MouseButton button,
               const QPoint& pos, Qt::KeyboardModifiers modifiers = {});

    // Popups: each one that shows is served once it runs its event loop.
    void servePopup();
    void serveMenu(QMenu* menu);
    void serveList(QWidget* popup);
    void settle();

    // Steps anywhere in the window (MonkeyActions.cpp).
    void randomStep();
    void clickSomething(bool doubleClick);
    void click(QWidget* widget, const QPoint& pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = {}, bool doubleClick = false);
    void pressKey();
    void typeText(const QString& text);
    void clickIntoTextField();
    void typeSomething();
    void pasteSomething();
    void switchTab();
    void switchCalculator();
    void openMenu(const char* menuName, const QStringList& wishes);
    void turnWheel();
    void closeWithCtrlX();
    QString randomText(bool forClipboard);

    // Steps in the latency calculator and its dialog (MonkeyLatencyActions.cpp).
    void showLatencySetup();
    void editChain();
    void rightClickElement(TNetworkButton* element, const QStringList& wishes);
    void rightClickPanel(const QStringList& wishes);
    void dialogAction();
    void dragElement();

    TMainForm* form() const { return FWindow.form(); }
    TLatencyCalc* latency() const { return form()->latencyCalc(); }
    QList<TNetworkButton*> elementButtons() const { return chainButtons(latency()); }
    TTNetworkButtonForm* dialog() const { return latency()->propertiesForm(); }
    QWidget* setupPanel() const { return networkSetupPanel(latency()); }

    quint32 FSeed;
    QRandomGenerator FRandom;
    int FStep = 0;
    WindowDriver FWindow;
    QStringList FActions;
    // Entries the next menus should choose, by object name or "*" for any.
    QStringList FPopupWishes;
    QHash<QWidget*, int> FPopupServings;
    QString FFailure;
    QString FFinalState;
};
