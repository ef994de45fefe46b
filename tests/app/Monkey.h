#pragma once

#include "latency/LatencyCalc.h"
#include "tests/app/MonkeyInvariants.h"
#include "tests/app/MonkeyWindow.h"
#include "tests/support/WindowDriver.h"

#include <QHash>
#include <QObject>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <optional>

class MonkeyTool;
class TNetworkButton;
class TTNetworkButtonForm;
class QMenu;

// A seeded random walk through the real main window: clicks, keys, typed
// and pasted texts, tab and calculator switches, the properties dialog,
// inserting, removing and dragging networks, the tool windows (MonkeyTool.h),
// and now and then closing the window with Ctrl+X and building it again
// from what it saved. After every step the invariants in MonkeyInvariants.h
// and the tool windows' own are checked.
//
// The window makes a calculator when it is first chosen, and a tool window
// when it is first opened. The walk looks them up without making them, and
// after each new window holds some calculators back for a while, so that
// they are first chosen late in a walk, after much else has happened.
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

    // What the steps of a tool window use: the walk's random choices, its
    // log, and its hands on the mouse and the keyboard.
    int below(int n) { return n <= 0 ? 0 : int(FRandom.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> T pick(const QList<T>& list) { return list.at(below(int(list.size()))); }
    void note(const QString& action);
    void click(QWidget* widget, const QPoint& pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = {}, bool doubleClick = false);
    QPoint randomPointIn(QWidget* widget);
    // A key to the active window, noted in the log.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // Each character to whichever widget has the focus when it is typed.
    void typeText(const QString& text);
    QString randomText(bool forClipboard);
    // Entries the next menus and lists should choose, by object name or "*" for any.
    void wishPopups(const QStringList& wishes) { FPopupWishes = wishes; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The walk itself (Monkey.cpp).
    void startWindow();
    void stopWindow();
    void rebuildWindow(const QString& why);
    void fail(const QString& problem);
    // The message boxes shown since the last step, each one noted in the log.
    QString checkMessages();
    QString checkAfterStep();

    // The program's windows and what can be clicked in them, in a fixed order.
    QList<QWidget*> windows() const;
    QList<QWidget*> clickableWidgets(QWidget* window) const;
    QWidget* randomWindow();
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
    void pressKey();
    void clickIntoTextField();
    void typeSomething();
    void pasteSomething();
    void switchTab();
    void switchCalculator();
    void openMenu(const char* menuName, const QStringList& wishes);
    void turnWheel();
    void closeWithCtrlX();

    // Steps in the latency calculator and its dialog (MonkeyLatencyActions.cpp).
    bool showLatencySetup();
    void editChain();
    void rightClickElement(TNetworkButton* element, const QStringList& wishes);
    void rightClickPanel(const QStringList& wishes);
    void dialogAction();
    void dragElement();

    // Calculators made when first chosen and the tool windows (MonkeyFirstUse.cpp).
    void holdCalculators();
    bool held(int calculator) const { return FStep < FHeldUntil[calculator]; }
    // Chooses a held calculator whose time has come; false when there is none.
    bool chooseHeldCalculator();
    // By its shortcut (route 0), its menu item (1) or the logo (2), which
    // shows the next calculator in turn and so is clicked only when that is
    // the one to choose.
    void chooseCalculator(int calculator, int route);
    // The calculator shown, or -1.
    int shownCalculator() const;
    void toolStep();
    void openTool(const MonkeyTool& tool);
    void closeTool(const MonkeyTool& tool, QWidget* window);
    void resizeTool(const MonkeyTool& tool, QWidget* window);
    void fitToolWindows();
    void dismissFileDialogs();
    QWidget* toolWindow(const MonkeyTool& tool) const;
    // Calculators and tool windows shown, closed and hidden, as it happens.
    void watchShown(QWidget* widget, QEvent::Type type);
    QString checkFirstUse();
    void rememberBeforeClosing();

    TMainForm* form() const { return FWindow.form(); }
    // The latency calculator once chosen; nullptr before. Looking makes nothing.
    TLatencyCalc* latency() const { return madeLatency(form()); }
    bool latencyShown() const { return latency() && latency()->isVisible(); }
    QList<TNetworkButton*> elementButtons() const { return chainButtons(latency()); }
    TTNetworkButtonForm* dialog() const;
    QWidget* setupPanel() const { return networkSetupPanel(latency()); }

    quint32 FSeed;
    QRandomGenerator FRandom;
    int FStep = 0;
    WindowDriver FWindow;
    QStringList FActions;
    QStringList FPopupWishes;
    QHash<QWidget*, int> FPopupServings;
    QString FFailure;
    QString FFinalState;

    // Until which step each calculator is held back from being chosen.
    int FHeldUntil[3] = {0, 0, 0};
    // The calculators and tool windows shown since the window was built, by name.
    QSet<QString> FShownSinceStart;
    // The windows the step sent input to, or shown, closed or left.
    QSet<QWidget*> FTouched;
    // A fault seen as a window showed, reported after the step.
    QString FShowProblem;
    // Each tool window's kept state as it was last hidden, and what each
    // remembered as the main window closed, by window name.
    QHash<QString, QString> FKeptStates;
    QHash<QString, QString> FRememberedStates;
    // The latency layout of a window that closed, until the latency
    // calculator of the next windows is first made and must show it.
    std::optional<SavedLayout> FPendingLayout;
    // The settings file as the window read it at its start.
    QByteArray FSettingsAtStart;
    bool FStopping = false;
};
