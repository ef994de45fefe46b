#pragma once

#include "app/MainForm.h"

#include <QString>
#include <QStringList>

// What the user relies on after every step of the monkey's walk. Each check
// returns the fault it found, or nothing.

// Whether a message box says one of the program's own messages; anything
// else in a box is a fault.
bool isExpectedMessage(const QString& text);

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
    QStringList elements;
    // The whole names, not just the start the report shows.
    QStringList names;

    bool operator==(const SavedLayout& other) const
    {
        return calculator == other.calculator && elements == other.elements && names == other.names;
    }
};

SavedLayout savedLayout(TMainForm& form);
// The calculator shown, the chain and the dialog, for a failure report.
QString describeState(TMainForm& form);
