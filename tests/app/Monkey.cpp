#include "tests/app/Monkey.h"

#include "tests/app/MonkeyTool.h"
#include "tests/support/UiFixture.h"

#include "app/About.h"
#include "latency/NetworkButtonForm.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QMenu>

namespace {

// Actions kept for the failure report.
constexpr int reportedActions = 20;

} // namespace

void Monkey::note(const QString& action)
{
    FActions << QStringLiteral("step %1: %2").arg(FStep).arg(action);
}

void Monkey::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    note(QStringLiteral("key %1 to %2")
             .arg(QKeySequence(key | modifiers).toString(), describe(keyTarget())));
    QTest::keyClick(keyWindow(), key, modifiers);
}

void Monkey::fail(const QString& problem)
{
    // The first broken invariant is the one to report.
    if (!FFailure.isEmpty())
        return;
    QStringList last = FActions.mid(qMax(0, int(FActions.size()) - reportedActions));
    FFailure = QStringLiteral("seed %1, step %2: %3\n"
                              "replay with ZENTRIX_MONKEY_SEED=%1 ZENTRIX_MONKEY_STEPS=%2\n"
                              "state: %4\nlast actions:\n  %5")
                   .arg(FSeed)
                   .arg(FStep)
                   .arg(problem, form() ? describeState(*form()) : QString(),
                        last.join(QStringLiteral("\n  ")));
}

void Monkey::startWindow()
{
    FShownSinceStart.clear();
    FKeptStates.clear();
    FSettingsAtStart = storedLayoutBytes();
    FWindow.open();
    if (!QTest::qWaitForWindowActive(form()))
        fail(QStringLiteral("the new window never became active"));
    settle();
    // Start-up makes only the calculator it shows.
    if (FShowProblem.isEmpty())
        FShowProblem = checkFirstUse();
    holdCalculators();
}

void Monkey::stopWindow()
{
    FStopping = true;
    FWindow.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FStopping = false;
}

// The window closed (Ctrl+X, or File > Exit from a menu): it saved its
// settings as it went, and the next one must come back as it was.
void Monkey::rebuildWindow(const QString& why)
{
    note(QStringLiteral("window closed (%1): build it again from its settings").arg(why));
    const SavedLayout before = savedLayout(*form());
    rememberBeforeClosing();
    stopWindow();
    const QString shown = checkMessages();
    if (!shown.isEmpty()) {
        fail(QStringLiteral("while saving: ") + shown);
        return;
    }
    // A window that never made its latency calculator gives the stored
    // layout back as it read it.
    if (!before.chainKnown && !FSettingsAtStart.isEmpty() &&
        storedLayoutBytes() != FSettingsAtStart) {
        fail(QStringLiteral("a window that never showed the latency calculator changed its "
                            "stored layout:\n  read:    %1\n  written: %2")
                 .arg(QString::fromUtf8(FSettingsAtStart), QString::fromUtf8(storedLayoutBytes())));
        return;
    }
    // The next latency calculator made, now or later, must show this chain.
    if (before.chainKnown)
        FPendingLayout = before;
    startWindow();
    const SavedLayout after = savedLayout(*form());
    if (after.calculator != before.calculator)
        fail(QStringLiteral("the window closed with calculator %1 shown came back with %2")
                 .arg(before.calculator)
                 .arg(after.calculator));
}

bool Monkey::run(int steps)
{
    WindowDriver::clearStoredSettings();
    // Clipboard contents are pasted: every walk starts from the same.
    QGuiApplication::clipboard()->setText(QStringLiteral("0"));
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools())
        tool->forget();
    FPendingLayout.reset();
    FRememberedStates.clear();
    FShowProblem.clear();
    std::fill(std::begin(FHeldUntil), std::end(FHeldUntil), 0);
    qApp->installEventFilter(this);
    startWindow();
    MessageBoxCatcher::instance().take();

    for (FStep = 1; FStep <= steps && FFailure.isEmpty(); ++FStep) {
        FPopupWishes.clear();
        FPopupServings.clear();
        FTouched.clear();
        randomStep();
        settle();
        fitToolWindows();
        dismissFileDialogs();
        if (!FFailure.isEmpty())
            break;
        if (form()->isHidden()) {
            rebuildWindow(QStringLiteral("by the last action"));
            if (!FFailure.isEmpty())
                break;
        }
        const QString problem = checkAfterStep();
        if (!problem.isEmpty())
            fail(problem);
    }
    if (FFailure.isEmpty())
        FFinalState = describeState(*form());

    qApp->removeEventFilter(this);
    stopWindow();
    MessageBoxCatcher::instance().take();
    return FFailure.isEmpty();
}

QString Monkey::checkAfterStep()
{
    QString problem = checkMessages();
    if (problem.isEmpty())
        problem = FShowProblem;
    FShowProblem.clear();
    if (problem.isEmpty())
        problem = checkCalculators(*form());
    if (problem.isEmpty())
        problem = checkFirstUse();
    if (problem.isEmpty())
        problem = checkSpinEdit(*form());
    if (problem.isEmpty())
        problem = checkChain(*form());
    // A tool window changes only when the step reached it.
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        QWidget* window = toolWindow(*tool);
        if (problem.isEmpty() && window && FTouched.contains(window))
            problem = tool->check(window);
    }
    return problem;
}

// --- windows and widgets ---------------------------------------------------

TTNetworkButtonForm* Monkey::dialog() const
{
    return latency() ? latency()->propertiesForm() : nullptr;
}

QList<QWidget*> Monkey::windows() const
{
    QList<QWidget*> list{form()};
    if (dialog() && dialog()->isVisible())
        list << dialog();
    // The window builds its about box when first asked for; there is at most one.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TAboutCalc*>(window) && window->isVisible())
            list << window;
    }
    for (const std::unique_ptr<MonkeyTool>& tool : monkeyTools()) {
        QWidget* window = toolWindow(*tool);
        if (window && window->isVisible())
            list << window;
    }
    return list;
}

// Mostly the window in front, as a user works in one window for a while
// (and each change of the active window repaints both); else the main
// window half of the time and one of the others shown otherwise, so that a
// tool window's many controls do not crowd out the calculators'.
QWidget* Monkey::randomWindow()
{
    const QList<QWidget*> list = windows();
    QWidget* active = QApplication::activeWindow();
    if (list.contains(active) && chance(70))
        return active;
    if (list.size() == 1 || chance(50))
        return list.first();
    return list.at(1 + below(int(list.size()) - 1));
}

QList<QWidget*> Monkey::clickableWidgets(QWidget* window) const
{
    QList<QWidget*> widgets;
    QList<QWidget*> candidates{window};
    candidates += window->findChildren<QWidget*>();
    for (QWidget* widget : candidates) {
        if (widget->window() == window && widget->isVisible() && widget->isEnabled() &&
            !widget->visibleRegion().isEmpty())
            widgets << widget;
    }
    return widgets;
}

QPoint Monkey::randomPointIn(QWidget* widget)
{
    QList<QRect> parts;
    for (const QRect& part : widget->visibleRegion())
        parts << part;
    if (parts.isEmpty())
        return widget->rect().center();
    const QRect part = pick(parts);
    return QPoint(part.left() + below(part.width()), part.top() + below(part.height()));
}

// A click on a window brings it to the front, as the desktop does.
void Monkey::activate(QWidget* window)
{
    if (QApplication::activeWindow() == window || !window->isVisible())
        return;
    // The window left loses its focus widget's edit as a user's click elsewhere does.
    FTouched.insert(QApplication::activeWindow());
    FTouched.insert(window);
    window->activateWindow();
    QCoreApplication::processEvents();
}

// Keys go where the keyboard sends them: to the active window, which hands
// them to its focus widget. Without one of ours active, the main window is
// brought to the front first.
QWindow* Monkey::keyWindow()
{
    QWidget* active = QApplication::activeWindow();
    if (!active || !windows().contains(active)) {
        activate(form());
        active = form();
    }
    FTouched.insert(active);
    return active->windowHandle();
}

QWidget* Monkey::keyTarget()
{
    QWindow* window = keyWindow();
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window()->windowHandle() == window)
        return focus;
    for (QWidget* candidate : windows()) {
        if (candidate->windowHandle() == window)
            return candidate;
    }
    return form();
}

// Mouse events enter through the window, as the platform delivers them: the
// widget under the point gets them, right presses open context menus, and
// popups see the clicks outside them.
void Monkey::mouse(QTest::MouseAction action, QWidget* widget, Qt::MouseButton button,
                   const QPoint& pos, Qt::KeyboardModifiers modifiers)
{
    FTouched.insert(widget->window());
    QWindow* window = widget->window()->windowHandle();
    QPoint at = window->mapFromGlobal(widget->mapToGlobal(pos));
    at.setX(qBound(0, at.x(), window->width() - 1));
    at.setY(qBound(0, at.y(), window->height() - 1));
    // QTest reads the point (0,0) as "the middle of the window".
    if (at.isNull())
        at.setX(1);
    QTest::mouseEvent(action, window, button, modifiers, at);
}

// --- popups ----------------------------------------------------------------

bool Monkey::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Close) &&
        watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Menus may run an event loop of their own: they are served from in there.
        if (type == QEvent::Show && widget->isWindow() && widget->windowType() == Qt::Popup)
            QTimer::singleShot(0, this, &Monkey::servePopup);
        watchShown(widget, type);
    }
    return QObject::eventFilter(watched, event);
}

void Monkey::servePopup()
{
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        return;
    // Every popup gets two chances to close itself through its choice; then
    // it is closed, and one that will not close is hidden, which at least
    // ends the event loop of a menu.
    const int serving = ++FPopupServings[popup];
    if (serving > 6)
        return;
    if (serving > 4) {
        note(QStringLiteral("hide %1").arg(describe(popup)));
        popup->hide();
    } else if (serving > 2) {
        note(QStringLiteral("close %1").arg(describe(popup)));
        popup->close();
    } else if (auto* menu = qobject_cast<QMenu*>(popup)) {
        serveMenu(menu);
    } else if (popup->findChild<QAbstractItemView*>()) {
        serveList(popup);
    } else {
        note(QStringLiteral("close %1").arg(describe(popup)));
        popup->close();
    }
    // Whatever still shows (the same popup, or a submenu it opened) comes next.
    QTimer::singleShot(0, this, &Monkey::servePopup);
}

void Monkey::serveMenu(QMenu* menu)
{
    QList<QAction*> entries;
    for (QAction* action : menu->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator())
            entries << action;
    }
    // A calculator held back is not chosen from its menu either.
    for (int i = 0; i < 3; ++i) {
        if (held(i))
            entries.removeAll(form()->findChild<QAction*>(QLatin1String(menuItemNames[i])));
    }
    QAction* chosen = nullptr;
    if (!FPopupWishes.isEmpty()) {
        const QString wish = FPopupWishes.takeFirst();
        if (wish == QLatin1String("*")) {
            if (!entries.isEmpty())
                chosen = pick(entries);
        } else {
            for (QAction* action : entries) {
                // A submenu answers to the name of its menu.
                const QObject* named = action->menu() ? static_cast<QObject*>(action->menu())
                                                      : static_cast<QObject*>(action);
                if (named->objectName() == wish)
                    chosen = action;
            }
        }
    } else if (!entries.isEmpty() && chance(85)) {
        chosen = pick(entries);
    }
    // File > Exit ends the window: now and then, not at every visit of the menu.
    if (chosen && chosen->objectName() == QLatin1String("exit1") && !chance(10))
        chosen = nullptr;
    if (!chosen) {
        note(QStringLiteral("Esc in %1").arg(describe(menu)));
        QTest::keyClick(menu, Qt::Key_Escape);
        return;
    }
    note(QStringLiteral("choose \"%1\" (%2) in %3")
             .arg(chosen->text(), chosen->objectName(), describe(menu)));
    menu->setActiveAction(chosen);
    if (chosen->menu()) {
        if (!chosen->menu()->isVisible())
            QTest::keyClick(menu, Qt::Key_Right);
    } else {
        QTest::keyClick(menu, Qt::Key_Return);
    }
}

void Monkey::serveList(QWidget* popup)
{
    QAbstractItemView* list = popup->findChild<QAbstractItemView*>();
    const int rows = list->model() ? list->model()->rowCount(list->rootIndex()) : 0;
    if (!FPopupWishes.isEmpty())
        FPopupWishes.removeFirst();
    if (rows == 0 || chance(15)) {
        note(QStringLiteral("Esc in %1").arg(describe(popup)));
        QTest::keyClick(list, Qt::Key_Escape);
        return;
    }
    const QModelIndex item = list->model()->index(below(rows), 0, list->rootIndex());
    note(QStringLiteral("choose row %1 \"%2\" in %3")
             .arg(item.row())
             .arg(item.data().toString(), describe(popup)));
    // Arrow keys lead there and Enter takes it. (A click would be refused
    // while the list is new, for a time the clock measures.)
    list->setCurrentIndex(item);
    QTest::keyClick(list, Qt::Key_Return);
}

void Monkey::settle()
{
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        if (!QApplication::activePopupWidget())
            break;
    }
    for (int round = 0; round < 10; ++round) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        note(QStringLiteral("close %1 left open").arg(describe(popup)));
        popup->close();
        QCoreApplication::processEvents();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// --- message boxes -------------------------------------------------------

QString Monkey::checkMessages()
{
    for (const QString& text : MessageBoxCatcher::instance().take()) {
        note(QStringLiteral("message box \"%1\"").arg(shortText(text)));
        if (!isExpectedMessage(text))
            return QStringLiteral("unexpected message box: \"%1\"").arg(text);
    }
    return {};
}
