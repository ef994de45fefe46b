#pragma once

#include "app/MainForm.h"

#include <QString>
#include <QStringList>

// What the user relies on after every step of the monkey's walk. Each check
// returns the fault it found, or nothing.

// Whether a message box says one of the program's own messages; anything
// else in a box is a fault.
bool isExpectedMessage(const QString& text);

// Every check below looks the calculators up without making them, and
// checks only those made.

// One calculator shows, its menu item is checked and its logo drawn.
QString checkCalculators(TMainForm& form);
// The subnet bits stay within the bounds of the tab shown.
QString checkSpinEdit(TMainForm& form);
// The latency chain, its buttons on the setup panel and the menus that add
// and remove networks agree.
QString checkChain(TMainForm& form);

// What the settings store keeps and the next window must show again.
struct SavedLayout
{
    int calculator = -1;
    // Whether the latency calculator was made, so that its chain is known;
    // the chain of one not made is the stored one, untouched.
    bool chainKnown = false;
    QStringList elements;
    // The whole names, not just the start the report shows.
    QStringList names;

    bool sameChain(const SavedLayout& other) const
    {
        return elements == other.elements && names == other.names;
    }
};

SavedLayout savedLayout(TMainForm& form);
// The calculator shown, the chain and the dialog, for a failure report.
QString describeState(TMainForm& form);
