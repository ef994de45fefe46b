#pragma once

#include "controls/BetterSpinEdit.h"

#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <functional>

// What the spin edit tests share: a window with the spin edit and a second
// field to move the focus to; it records the spin edit's signals and every
// beep in order.
class SpinEditFixture
{
public:
    SpinEditFixture();
    ~SpinEditFixture();

    bool showAndFocus();
    // Replaces the text the way a user does: select all, then type.
    void typeOver(const QString& text);
    // Sets the limits and the value, then forgets the events so far.
    void setup(int minValue, int maxValue, int value);
    int count(const QString& name) const { return int(events.count(name)); }

    QWidget window;
    TBetterSpinEdit* spin;
    QLineEdit* other;
    QStringList events;
    std::function<void()> previousBeep;
};
