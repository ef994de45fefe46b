#include "tests/app/Monkey.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

void Monkey::randomStep()
{
    if (chooseHeldCalculator())
        return;
    int roll = below(1060);
    // The latency steps go there first; now and then they give way, so that
    // the other two calculators get their share of the walk. While the
    // latency calculator is held back they always do.
    if (roll >= 670 && roll < 920 && (held(2) || (!latencyShown() && chance(50))))
        roll = below(670);
    if (roll >= 1000)
        toolStep();
    else if (roll < 200)
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
    QList<QWidget*> widgets = clickableWidgets(randomWindow());
    // The logo chooses the next calculator: not while one is held back.
    if (held(0) || held(1) || held(2))
        widgets.removeAll(form()->findChild<QWidget*>(QStringLiteral("CalcImage")));
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
        QList<Qt::Key> keys;
        for (int i = 0; i < 3; ++i) {
            if (!held(i))
                keys << calculatorKeys[i];
        }
        stroke = {pick(keys), Qt::ControlModifier};
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

// Fields that move the focus on by themselves get the rest of a text.
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
    QList<QWidget*> fields;
    for (QWidget* widget : clickableWidgets(randomWindow())) {
        if (qobject_cast<QLineEdit*>(widget))
            fields << widget;
    }
    if (fields.isEmpty())
        return;
    QWidget* field = pick(fields);
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

// Any calculator not held back, by any of the routes a user takes; the logo
// shows the next one in turn.
void Monkey::switchCalculator()
{
    QList<int> calculators;
    for (int i = 0; i < 3; ++i) {
        if (!held(i))
            calculators << i;
    }
    int calculator = pick(calculators);
    const int route = below(3);
    const int next = (shownCalculator() + 1) % 3;
    if (route == 2 && !held(next))
        calculator = next;
    chooseCalculator(calculator, route);
}

void Monkey::openMenu(const char* menuName, const QStringList& wishes)
{
    QMenuBar* bar = form()->menuBar();
    auto* menu = form()->findChild<QMenu*>(QLatin1String(menuName));
    FPopupWishes = wishes;
    click(bar, bar->actionGeometry(menu->menuAction()).center(), Qt::LeftButton);
}

void Monkey::turnWheel()
{
    const QList<QWidget*> widgets = clickableWidgets(randomWindow());
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
    FTouched.insert(widget->window());
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void Monkey::closeWithCtrlX()
{
    activate(form());
    QWidget* target = keyTarget();
    note(QStringLiteral("key Ctrl+X to %1").arg(describe(target)));
    QTest::keyClick(keyWindow(), Qt::Key_X, Qt::ControlModifier);
    QCoreApplication::processEvents();
    if (!form()->isHidden()) {
        fail(QStringLiteral("Ctrl+X did not close the window"));
        return;
    }
    rebuildWindow(QStringLiteral("Ctrl+X"));
}
