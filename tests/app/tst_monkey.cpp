// A seeded random walk through the real main window: clicks, keys, typed
// and pasted texts, tab and calculator switches, the properties dialog,
// inserting, removing and dragging networks, and now and then closing the
// window with Ctrl+X and building it again from what it saved. After every
// step the invariants the user relies on are checked.
//
// ZENTRIX_MONKEY_SEED and ZENTRIX_MONKEY_STEPS choose the walk; a failure
// prints both, with the last actions, so that it can be replayed.

#include "tests/support/UiFixture.h"

#include "app/About.h"
#include "app/Image.h"
#include "controls/BetterSpinEdit.h"
#include "controls/CalcView.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"
#include "subnet/SubnetCalc.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint32 defaultSeed = 20240611;
constexpr int defaultSteps = 5000;
// Actions kept for the failure report.
constexpr int reportedActions = 20;

const char* const containerNames[] = {"RadixorCalcPanel", "VantrelCalcPanel", "LatencyCalcPanel"};
const char* const menuItemNames[] = {"RadixorCalculator1", "VantrelCalculator1",
                                     "LatencyCalculator1"};
const char* const logoNames[] = {"RADIXORCALCLOGO", "SUBNETCALCLOGO", "LATENCYCALCLOGO"};
const Qt::Key calculatorKeys[] = {Qt::Key_H, Qt::Key_I, Qt::Key_L};

// The messages the program means to show; anything else in a box is a fault.
const QStringList expectedMessagePatterns{
    QStringLiteral("^'.*' is not a valid integer value$"),
    QStringLiteral("^'.*' is not a valid floating point value$"),
    QStringLiteral("^Range check error$"),
    QStringLiteral("^Integer overflow$"),
};

const int gridLefts[] = {8, 75, 143, 210};
const int gridTops[] = {8, 72, 136, 200};

bool isExpectedMessage(const QString& text)
{
    for (const QString& pattern : expectedMessagePatterns) {
        if (QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
                .match(text)
                .hasMatch())
            return true;
    }
    return false;
}

bool onGrid(const QPoint& pos)
{
    return std::find(std::begin(gridLefts), std::end(gridLefts), pos.x()) != std::end(gridLefts) &&
           std::find(std::begin(gridTops), std::end(gridTops), pos.y()) != std::end(gridTops);
}

// A name for the log: the widget's own, or its class inside the nearest named parent.
QString describe(const QObject* object)
{
    if (!object)
        return QStringLiteral("(nothing)");
    QString text = QString::fromLatin1(object->metaObject()->className());
    if (!object->objectName().isEmpty())
        return object->objectName() + QStringLiteral(" (") + text + QLatin1Char(')');
    for (const QObject* parent = object->parent(); parent; parent = parent->parent()) {
        if (!parent->objectName().isEmpty())
            return text + QStringLiteral(" in ") + parent->objectName();
    }
    return text;
}

QString shortText(const QString& text)
{
    QString shown = text.left(40);
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    if (text.size() > 40)
        shown += QStringLiteral("... (%1 characters)").arg(text.size());
    return shown;
}

} // namespace

// The desktop must not open a browser for the web site links.
class UrlSink : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl&) {}
};

// What the settings store keeps and the next window must show again.
struct SavedLayout
{
    int calculator = -1;
    QStringList elements;
    // The whole names, not just the start the report shows.
    QStringList names;

    bool operator==(const SavedLayout& other) const
    {
        return calculator == other.calculator && elements == other.elements && names == other.names;
    }
};

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

    void note(const QString& action);
    void startWindow();
    void stopWindow();
    void rebuildWindow(const QString& why);
    void fail(const QString& problem);

    // The program's windows and what can be clicked in them, in a fixed order.
    QList<QWidget*> windows() const;
    QList<QWidget*> clickableWidgets() const;
    QPoint randomPointIn(QWidget* widget);
    void activate(QWidget* window);
    QWindow* keyWindow();
    QWidget* keyTarget();
    void mouse(QTest::MouseAction action, QWidget* widget, Qt::MouseButton button,
               const QPoint& pos, Qt::KeyboardModifiers modifiers = {});

    // Steps.
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
    void showLatencySetup();
    void editChain();
    void rightClickElement(TNetworkButton* element, const QStringList& wishes);
    void rightClickPanel(const QStringList& wishes);
    void dialogAction();
    void dragElement();
    void turnWheel();
    void closeWithCtrlX();

    QString randomText(bool forClipboard);

    // Popups: each one that shows is served once it runs its event loop.
    void servePopup();
    void serveMenu(QMenu* menu);
    void serveList(QWidget* popup);
    void settle();

    // Invariants.
    QString checkMessages();
    QString checkCalculators() const;
    QString checkSpinEdit() const;
    QString checkChain();
    SavedLayout savedLayout() const;
    QString describeState() const;

    TLatencyCalc* latency() const { return FForm->latencyCalc(); }
    // The buttons of the chain's elements, in chain order.
    QList<TNetworkButton*> elementButtons() const
    {
        QList<TNetworkButton*> buttons;
        for (int i = 0; i < latency()->chain().count(); ++i)
            buttons << latency()->setupEditor()->button(i);
        return buttons;
    }
    TTNetworkButtonForm* dialog() const { return latency()->propertiesForm(); }
    QWidget* setupPanel() const
    {
        return latency()->findChild<QWidget*>(QStringLiteral("NetworkSetupPanel"));
    }

    quint32 FSeed;
    QRandomGenerator FRandom;
    int FStep = 0;
    std::unique_ptr<TMainForm> FForm;
    QStringList FActions;
    // Entries the next menus should choose, by object name or "*" for any.
    QStringList FPopupWishes;
    QHash<QWidget*, int> FPopupServings;
    QString FFailure;
    QString FFinalState;
};

void Monkey::note(const QString& action)
{
    FActions << QStringLiteral("step %1: %2").arg(FStep).arg(action);
}

void Monkey::fail(const QString& problem)
{
    // The first broken invariant is the one to report.
    if (!FFailure.isEmpty())
        return;
    QStringList last = FActions.mid(qMax(0, int(FActions.size()) - reportedActions));
    FFailure =
        QStringLiteral("seed %1, step %2: %3\n"
                       "replay with ZENTRIX_MONKEY_SEED=%1 ZENTRIX_MONKEY_STEPS=%2\n"
                       "state: %4\nlast actions:\n  %5")
            .arg(FSeed)
            .arg(FStep)
            .arg(problem, FForm ? describeState() : QString(), last.join(QStringLiteral("\n  ")));
}

void Monkey::startWindow()
{
    FForm = makeMainForm();
    if (!QTest::qWaitForWindowActive(FForm.get()))
        fail(QStringLiteral("the new window never became active"));
    settle();
}

void Monkey::stopWindow()
{
    FForm.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The window closed (Ctrl+X, or File > Exit from a menu): it saved its
// settings as it went, and the next one must come back as it was.
void Monkey::rebuildWindow(const QString& why)
{
    note(QStringLiteral("window closed (%1): build it again from its settings").arg(why));
    const SavedLayout before = savedLayout();
    stopWindow();
    const QString shown = checkMessages();
    if (!shown.isEmpty()) {
        fail(QStringLiteral("while saving: ") + shown);
        return;
    }
    startWindow();
    const SavedLayout after = savedLayout();
    if (!(after == before)) {
        fail(QStringLiteral("the window came back different from how it closed:\n"
                            "  before: calculator %1; %2\n  after:  calculator %3; %4")
                 .arg(before.calculator)
                 .arg(before.elements.join(QStringLiteral(" | ")))
                 .arg(after.calculator)
                 .arg(after.elements.join(QStringLiteral(" | "))));
    }
}

bool Monkey::run(int steps)
{
    clearStoredSettings();
    // Clipboard contents are pasted: every walk starts from the same.
    QGuiApplication::clipboard()->setText(QStringLiteral("0"));
    qApp->installEventFilter(this);
    startWindow();
    MessageBoxCatcher::instance().take();

    for (FStep = 1; FStep <= steps && FFailure.isEmpty(); ++FStep) {
        FPopupWishes.clear();
        FPopupServings.clear();
        randomStep();
        settle();
        if (!FFailure.isEmpty())
            break;
        if (FForm->isHidden()) {
            rebuildWindow(QStringLiteral("by the last action"));
            if (!FFailure.isEmpty())
                break;
        }
        QString problem = checkMessages();
        if (problem.isEmpty())
            problem = checkCalculators();
        if (problem.isEmpty())
            problem = checkSpinEdit();
        if (problem.isEmpty())
            problem = checkChain();
        if (!problem.isEmpty())
            fail(problem);
    }
    if (FFailure.isEmpty())
        FFinalState = describeState();

    qApp->removeEventFilter(this);
    if (FForm)
        dialog()->close();
    stopWindow();
    MessageBoxCatcher::instance().take();
    return FFailure.isEmpty();
}

// --- windows and widgets ---------------------------------------------------

QList<QWidget*> Monkey::windows() const
{
    QList<QWidget*> list{FForm.get()};
    if (dialog()->isVisible())
        list << dialog();
    // The window builds its about box when first asked for; there is at most one.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TAboutCalc*>(window) && window->isVisible())
            list << window;
    }
    return list;
}

QList<QWidget*> Monkey::clickableWidgets() const
{
    QList<QWidget*> widgets;
    for (QWidget* window : windows()) {
        QList<QWidget*> candidates{window};
        candidates += window->findChildren<QWidget*>();
        for (QWidget* widget : candidates) {
            if (widget->window() == window && widget->isVisible() && widget->isEnabled() &&
                !widget->visibleRegion().isEmpty())
                widgets << widget;
        }
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
        activate(FForm.get());
        active = FForm.get();
    }
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
    return FForm.get();
}

// Mouse events enter through the window, as the platform delivers them: the
// widget under the point gets them, right presses open context menus, and
// popups see the clicks outside them.
void Monkey::mouse(QTest::MouseAction action, QWidget* widget, Qt::MouseButton button,
                   const QPoint& pos, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = widget->window()->windowHandle();
    QPoint at = window->mapFromGlobal(widget->mapToGlobal(pos));
    at.setX(qBound(0, at.x(), window->width() - 1));
    at.setY(qBound(0, at.y(), window->height() - 1));
    // QTest reads the point (0,0) as "the middle of the window".
    if (at.isNull())
        at.setX(1);
    QTest::mouseEvent(action, window, button, modifiers, at);
}

// --- steps -----------------------------------------------------------------

void Monkey::randomStep()
{
    int roll = below(1000);
    // The latency steps go there first; now and then they give way, so that
    // the other two calculators get their share of the walk.
    if (roll >= 670 && roll < 920 && latency()->isHidden() && chance(50))
        roll = below(670);
    if (roll < 200)
        clickSomething(false);
    else if (roll < 240)
        clickSomething(true);
    else if (roll < 390)
        pressKey();
    else if (roll < 530)
        typeSomething();
    else if (roll < 560)
        pasteSomething();
    else if (roll < 600)
        switchTab();
    else if (roll < 670)
        switchCalculator();
    else if (roll < 780)
        editChain();
    else if (roll < 870)
        dialogAction();
    else if (roll < 920)
        dragElement();
    else if (roll < 975)
        turnWheel();
    else if (roll < 996)
        openMenu("Help1", {QStringLiteral("*")});
    else
        closeWithCtrlX();
}

void Monkey::click(QWidget* widget, const QPoint& pos, Qt::MouseButton button,
                   Qt::KeyboardModifiers modifiers, bool doubleClick)
{
    static const QHash<int, QString> buttonNames{{Qt::LeftButton, QStringLiteral("left")},
                                                 {Qt::RightButton, QStringLiteral("right")},
                                                 {Qt::MiddleButton, QStringLiteral("middle")}};
    note(QStringLiteral("%1%2 %3 at (%4,%5) on %6")
             .arg(doubleClick ? QStringLiteral("double-click ") : QStringLiteral("click "),
                  buttonNames.value(button))
             .arg(modifiers != Qt::NoModifier
                      ? QStringLiteral("with modifiers %1").arg(modifiers.toInt())
                      : QString())
             .arg(pos.x())
             .arg(pos.y())
             .arg(describe(widget)));
    activate(widget->window());
    mouse(doubleClick ? QTest::MouseDClick : QTest::MouseClick, widget, button, pos, modifiers);
}

void Monkey::clickSomething(bool doubleClick)
{
    const QList<QWidget*> widgets = clickableWidgets();
    if (widgets.isEmpty())
        return;
    QWidget* widget = pick(widgets);
    const int roll = below(100);
    const Qt::MouseButton button =
        roll < 80 ? Qt::LeftButton : (roll < 95 ? Qt::RightButton : Qt::MiddleButton);
    Qt::KeyboardModifiers modifiers;
    if (chance(10))
        modifiers = pick(
            QList<Qt::KeyboardModifiers>{Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier});
    click(widget, randomPointIn(widget), button, modifiers, doubleClick);
}

void Monkey::pressKey()
{
    struct Stroke
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    static const QList<Stroke> strokes{
        {Qt::Key_Tab, {}},
        {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Return, {}},
        {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_Escape, {}},
        {Qt::Key_Up, {}},
        {Qt::Key_Down, {}},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_PageUp, {}},
        {Qt::Key_PageDown, {}},
        {Qt::Key_Home, {}},
        {Qt::Key_End, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_Space, {}},
        {Qt::Key_Minus, {}},
        {Qt::Key_Period, {}},
        {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Tab, Qt::ControlModifier},
        {Qt::Key_Down, Qt::AltModifier},
        {Qt::Key_F4, {}},
        {Qt::Key_Up, Qt::ShiftModifier},
        {Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_Menu, {}},
        {Qt::Key_F10, Qt::ShiftModifier},
    };
    Stroke stroke{Qt::Key_Tab, {}};
    const int roll = below(100);
    if (roll < 25) {
        stroke = {Qt::Key(Qt::Key_0 + below(10)), {}};
    } else if (roll < 40) {
        stroke = {Qt::Key(Qt::Key_A + below(26)), chance(30) ? Qt::ShiftModifier : Qt::NoModifier};
    } else if (roll < 47) {
        // Accelerators of the captions and menus.
        stroke = {Qt::Key(Qt::Key_A + below(26)), Qt::AltModifier};
    } else if (roll < 50) {
        stroke = {pick(QList<Qt::Key>{std::begin(calculatorKeys), std::end(calculatorKeys)}),
                  Qt::ControlModifier};
    } else {
        stroke = pick(strokes);
    }
    QWidget* target = keyTarget();
    note(QStringLiteral("key %1 to %2")
             .arg(QKeySequence(stroke.key | stroke.modifiers).toString(), describe(target)));
    QTest::keyClick(keyWindow(), stroke.key, stroke.modifiers);
}

QString Monkey::randomText(bool forClipboard)
{
    static const QStringList junk{
        QStringLiteral("\x01"), QStringLiteral("\x7f"),
        QString(QChar(0xa0)),   QString(QChar(0xe9)),
        QString(QChar(0xff)),   QString(QChar(0x20ac)),
        QString(QChar(0x4e2d)), QString(QChar(0xfeff)),
        QString(QChar(0xfffd)), QStringLiteral("%"),
        QStringLiteral("&"),    QStringLiteral("\\"),
        QStringLiteral("\""),   QStringLiteral("'"),
        QStringLiteral("<"),    QStringLiteral(">"),
        QStringLiteral("%s"),   QStringLiteral("+"),
        QStringLiteral("e"),    QStringLiteral("E"),
        QStringLiteral(" "),    QString::fromUtf8("\xF0\x9F\x98\x80"),
    };
    const auto fromAlphabet = [this](const QString& alphabet, int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet.at(below(int(alphabet.size())));
        return text;
    };
    const QString digits = QStringLiteral("0123456789");
    const QString hex = QStringLiteral("0123456789abcdefABCDEF");
    const QString mixed = QStringLiteral("0123456789abcdefABCDEF.-:, xgZ");
    switch (below(forClipboard ? 10 : 9)) {
    case 0:
        return fromAlphabet(digits, 1 + below(12));
    case 1:
        return fromAlphabet(hex, 1 + below(10));
    case 2:
        return QStringLiteral("-") + fromAlphabet(digits, 1 + below(11));
    case 3:
        return fromAlphabet(digits, below(5)) + QStringLiteral(".") +
               fromAlphabet(digits, below(7)) + (chance(20) ? QStringLiteral(".5") : QString());
    case 4: {
        QStringList octets;
        for (int i = 0; i < 4; ++i)
            octets << QString::number(below(1000));
        return octets.join(pick(QStringList{".", ".", ",", " ", ":"}));
    }
    case 5: {
        QString text;
        for (int i = 0, n = 1 + below(20); i < n; ++i)
            text += pick(junk);
        return text;
    }
    case 6:
        return fromAlphabet(mixed, 1 + below(30));
    case 7:
        return pick(QStringList{"2147483647", "2147483648", "-2147483648", "-2147483649",
                                "4294967295", "4294967296", "99999999999999999999", "1e38",
                                "3.4e39", "0.0000001", "-0", "00000000000000000001"});
    case 8:
        // Very long: typed ones stay a few hundred keys, pasted ones go further.
        return fromAlphabet(chance(50) ? digits : mixed,
                            forClipboard ? 1000 + below(4000) : 100 + below(300));
    default: {
        QStringList lines;
        for (int i = 0, n = 2 + below(4); i < n; ++i)
            lines << fromAlphabet(mixed, below(12)) + QStringLiteral("\t") +
                         fromAlphabet(digits, below(6));
        return lines.join(QStringLiteral("\r\n"));
    }
    }
}

// Each character goes to whichever widget has the focus when it is typed:
// fields that move the focus on by themselves get the rest.
void Monkey::typeText(const QString& text)
{
    for (int i = 0; i < text.size(); ++i) {
        QWindow* window = keyWindow();
        const QChar c = text.at(i);
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(window, char(c.unicode()));
            continue;
        }
        QString unit(c);
        if (c.isHighSurrogate() && i + 1 < text.size())
            unit += text.at(++i);
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, unit, Qt::NoModifier);
    }
}

// Most texts go into a field the walk clicks first, so that the calculators'
// fields get them and not just whichever button had the focus.
void Monkey::clickIntoTextField()
{
    // A window first, then one of its fields: the dialog's handful of
    // fields must not crowd out the calculators'.
    const QList<QWidget*> widgets = clickableWidgets();
    QList<QList<QWidget*>> fieldsByWindow;
    for (QWidget* window : windows()) {
        QList<QWidget*> fields;
        for (QWidget* widget : widgets) {
            if (widget->window() == window && qobject_cast<QLineEdit*>(widget))
                fields << widget;
        }
        if (!fields.isEmpty())
            fieldsByWindow << fields;
    }
    if (fieldsByWindow.isEmpty())
        return;
    QWidget* field = pick(pick(fieldsByWindow));
    click(field, randomPointIn(field), Qt::LeftButton);
    if (chance(40)) {
        note(QStringLiteral("key Ctrl+A"));
        QTest::keyClick(keyWindow(), Qt::Key_A, Qt::ControlModifier);
    }
}

void Monkey::typeSomething()
{
    if (chance(65))
        clickIntoTextField();
    const QString text = randomText(false);
    note(QStringLiteral("type \"%1\" into %2").arg(shortText(text), describe(keyTarget())));
    typeText(text);
}

void Monkey::pasteSomething()
{
    if (chance(65))
        clickIntoTextField();
    const QString text = randomText(true);
    QGuiApplication::clipboard()->setText(text);
    QWidget* target = keyTarget();
    note(QStringLiteral("paste \"%1\" into %2").arg(shortText(text), describe(target)));
    QTest::keyClick(keyWindow(), Qt::Key_V, Qt::ControlModifier);
}

void Monkey::switchTab()
{
    QList<QTabWidget*> tabWidgets;
    for (QWidget* window : windows()) {
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            if (tabs->isVisible() && tabs->window() == window)
                tabWidgets << tabs;
        }
    }
    if (tabWidgets.isEmpty())
        return;
    QTabWidget* tabs = pick(tabWidgets);
    QTabBar* bar = tabs->tabBar();
    const int index = below(bar->count());
    click(bar, bar->tabRect(index).center(), Qt::LeftButton);
}

void Monkey::switchCalculator()
{
    const int calculator = below(3);
    switch (below(3)) {
    case 0: {
        activate(FForm.get());
        QWidget* target = keyTarget();
        note(QStringLiteral("key Ctrl+%1 to %2")
                 .arg(QChar(char(calculatorKeys[calculator])), describe(target)));
        QTest::keyClick(keyWindow(), calculatorKeys[calculator], Qt::ControlModifier);
        break;
    }
    case 1:
        openMenu("Calculator1", {QString::fromLatin1(menuItemNames[calculator])});
        break;
    default: {
        auto* logo = FForm->findChild<TImage*>(QStringLiteral("CalcImage"));
        click(logo, randomPointIn(logo), Qt::LeftButton);
        break;
    }
    }
}

void Monkey::openMenu(const char* menuName, const QStringList& wishes)
{
    QMenuBar* bar = FForm->menuBar();
    auto* menu = FForm->findChild<QMenu*>(QLatin1String(menuName));
    FPopupWishes = wishes;
    click(bar, bar->actionGeometry(menu->menuAction()).center(), Qt::LeftButton);
}

// The directed chain edits work on the Network Setup tab, reached as a user would.
void Monkey::showLatencySetup()
{
    if (latency()->isHidden()) {
        // By its shortcut: whatever choosing it raises goes through the
        // application's error report, as for a user.
        activate(FForm.get());
        note(QStringLiteral("key Ctrl+L to choose the latency calculator"));
        QTest::keyClick(keyWindow(), Qt::Key_L, Qt::ControlModifier);
    }
    QTabWidget* tabs = latency()->pageControl();
    if (tabs->currentIndex() != 0) {
        note(QStringLiteral("show the Network Setup tab"));
        click(tabs->tabBar(), tabs->tabBar()->tabRect(0).center(), Qt::LeftButton);
    }
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
    showLatencySetup();
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
    if (!dialog()->isVisible() || chance(15)) {
        showLatencySetup();
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
    showLatencySetup();
    QWidget* panel = setupPanel();
    QPointer<TNetworkButton> element = pick(elementButtons());
    const QPoint start = randomPointIn(element);
    note(QStringLiteral("drag %1 from (%2,%3)")
             .arg(describe(element))
             .arg(start.x())
             .arg(start.y()));
    activate(FForm.get());
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

void Monkey::turnWheel()
{
    const QList<QWidget*> widgets = clickableWidgets();
    if (widgets.isEmpty())
        return;
    QWidget* widget = pick(widgets);
    const QPoint pos = randomPointIn(widget);
    const int delta = chance(50) ? 120 : -120;
    note(QStringLiteral("wheel %1 at (%2,%3) on %4")
             .arg(delta)
             .arg(pos.x())
             .arg(pos.y())
             .arg(describe(widget)));
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void Monkey::closeWithCtrlX()
{
    activate(FForm.get());
    QWidget* target = keyTarget();
    note(QStringLiteral("key Ctrl+X to %1").arg(describe(target)));
    QTest::keyClick(keyWindow(), Qt::Key_X, Qt::ControlModifier);
    QCoreApplication::processEvents();
    if (!FForm->isHidden()) {
        fail(QStringLiteral("Ctrl+X did not close the window"));
        return;
    }
    rebuildWindow(QStringLiteral("Ctrl+X"));
}

// --- popups ----------------------------------------------------------------

bool Monkey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Menus may run an event loop of their own: they are served from in there.
        if (widget->isWindow() && widget->windowType() == Qt::Popup)
            QTimer::singleShot(0, this, &Monkey::servePopup);
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

// --- invariants ------------------------------------------------------------

QString Monkey::checkMessages()
{
    for (const QString& text : MessageBoxCatcher::instance().take()) {
        note(QStringLiteral("message box \"%1\"").arg(shortText(text)));
        if (!isExpectedMessage(text))
            return QStringLiteral("unexpected message box: \"%1\"").arg(text);
    }
    return {};
}

QString Monkey::checkCalculators() const
{
    int shown = -1;
    for (int i = 0; i < 3; ++i) {
        auto* view = FForm->findChild<TCalcView*>(QLatin1String(containerNames[i]));
        auto* item = FForm->findChild<QAction*>(QLatin1String(menuItemNames[i]));
        if (view->isVisible()) {
            if (shown >= 0)
                return QStringLiteral("two calculators shown: %1 and %2")
                    .arg(QLatin1String(containerNames[shown]), QLatin1String(containerNames[i]));
            shown = i;
        }
        if (item->isChecked() != view->isVisible())
            return QStringLiteral("%1 checked: %2, but %3 shown: %4")
                .arg(QLatin1String(menuItemNames[i]))
                .arg(item->isChecked())
                .arg(QLatin1String(containerNames[i]))
                .arg(view->isVisible());
    }
    if (shown < 0)
        return QStringLiteral("no calculator shown");
    const QSvgRenderer* logo = FForm->findChild<TImage*>(QStringLiteral("CalcImage"))->picture();
    if (!logo || logo->objectName() != QLatin1String(logoNames[shown]))
        return QStringLiteral("logo %1 with %2 shown")
            .arg(logo ? logo->objectName() : QStringLiteral("(none)"),
                 QLatin1String(containerNames[shown]));
    return {};
}

QString Monkey::checkSpinEdit() const
{
    auto* bits = FForm->findChild<TBetterSpinEdit*>(QStringLiteral("BitsSpinEdit"));
    const QWidget* page = FForm->subnetCalc()->pageControl()->currentWidget();
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

QString Monkey::checkChain()
{
    TLatencyCalc* calc = latency();
    const TLatencyChain& chain = calc->chain();
    const QList<TNetworkButton*> buttons = elementButtons();
    const int size = chain.count();
    if (size < 3 || size > TLatencyChain::maxLength)
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

    QWidget* panel = setupPanel();
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
        if (element->pos() != chain.at(i).Position || element->Hint() != chain.at(i).Hint ||
            element->Kind() != chain.at(i).Kind)
            return QStringLiteral("the button of element %1 shows %2, not %3")
                .arg(i)
                .arg(shortText(element->Hint()), shortText(chain.at(i).Hint));
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
        QString label = chain.at(j + 1).Hint;
        label.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString expected = QString::number(j + 1) + QStringLiteral(".  ") + label;
        if (entries[j]->text() != expected)
            return QStringLiteral("remove entry %1 reads \"%2\", expected \"%3\"")
                .arg(j)
                .arg(shortText(entries[j]->text()), shortText(expected));
    }

    const bool full = size >= TLatencyChain::maxLength;
    const QWidget* insertButton = calc->findChild<QWidget*>(QStringLiteral("NewNetworkButton"));
    const QAction* insertItem = calc->findChild<QAction*>(QStringLiteral("NewNetwork1"));
    if (insertButton->isEnabled() == full || insertItem->isEnabled() == full)
        return QStringLiteral("insert %1 with %2 elements")
            .arg(full ? QStringLiteral("offered") : QStringLiteral("refused"))
            .arg(size);
    return {};
}

SavedLayout Monkey::savedLayout() const
{
    SavedLayout layout;
    for (int i = 0; i < 3; ++i) {
        if (!FForm->findChild<TCalcView*>(QLatin1String(containerNames[i]))->isHidden()) {
            layout.calculator = i;
            break;
        }
    }
    const TLatencyChain& chain = latency()->chain();
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
                               .arg(shortText(element.NetworkName))
                               .arg(double(bandwidth))
                               .arg(bits, 8, 16, QLatin1Char('0'))
                               .arg(element.PropagationDelay)
                               .arg(element.Position.x())
                               .arg(element.Position.y());
        layout.names << element.NetworkName;
    }
    return layout;
}

QString Monkey::describeState() const
{
    QStringList calculators;
    for (int i = 0; i < 3; ++i) {
        if (FForm->findChild<TCalcView*>(QLatin1String(containerNames[i]))->isVisible())
            calculators << QLatin1String(containerNames[i]);
    }
    QStringList chain;
    for (int i = 0; i < latency()->chain().count(); ++i)
        chain << shortText(latency()->chain().at(i).Hint);
    return QStringLiteral("shown %1; chain [%2]; dialog %3")
        .arg(calculators.join(QLatin1Char('+')), chain.join(QStringLiteral(", ")),
             dialog()->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
}

namespace {

QtMessageHandler previousHandler = nullptr;

quint32 seedFromEnvironment()
{
    bool ok = false;
    const quint32 seed = qEnvironmentVariable("ZENTRIX_MONKEY_SEED").toUInt(&ok);
    return ok ? seed : defaultSeed;
}

int stepsFromEnvironment()
{
    bool ok = false;
    const int steps = qEnvironmentVariableIntValue("ZENTRIX_MONKEY_STEPS", &ok);
    return ok && steps > 0 ? steps : defaultSteps;
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

    UrlSink FUrls;

private slots:
    void initTestCase()
    {
        // The offscreen platform says so each time a window is raised or a
        // menu grabs the keyboard; thousands of those would bury a failure.
        previousHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.startsWith(QLatin1String("This plugin does not support")))
                    previousHandler(type, context, text);
            });
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &FUrls, "open");
        // Menus and lists open at once: no animation runs on the clock.
        for (Qt::UIEffect effect : {Qt::UI_AnimateMenu, Qt::UI_FadeMenu, Qt::UI_AnimateCombo,
                                    Qt::UI_AnimateTooltip, Qt::UI_FadeTooltip})
            QApplication::setEffectEnabled(effect, false);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(previousHandler);
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void randomActionsKeepTheInvariants()
    {
        const quint32 seed = seedFromEnvironment();
        const int steps = stepsFromEnvironment();
        qInfo("monkey seed %u, %d steps", seed, steps);
        Monkey monkey(seed);
        const bool passed = monkey.run(steps);
        // The whole walk on request, for a closer look at a replay.
        const QString logName = qEnvironmentVariable("ZENTRIX_MONKEY_LOG");
        if (!logName.isEmpty()) {
            QFile log(logName);
            if (log.open(QIODevice::WriteOnly | QIODevice::Text))
                log.write(monkey.actions().join(QLatin1Char('\n')).toUtf8() + '\n');
        }
        if (!passed)
            QFAIL(qPrintable(monkey.failure()));
    }

    // A failure is only worth its seed if the seed replays it.
    void sameSeedReplaysTheSameWalk()
    {
        const quint32 seed = seedFromEnvironment() + 1;
        Monkey first(seed);
        Monkey second(seed);
        if (!first.run(150))
            QFAIL(qPrintable(first.failure()));
        if (!second.run(150))
            QFAIL(qPrintable(second.failure()));
        QCOMPARE(second.actions(), first.actions());
        QCOMPARE(second.finalState(), first.finalState());
    }
};

ZENTRIX_UI_TEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
