#pragma once

#include "tests/support/WindowDriver.h"

#include <QString>
#include <QStringList>

class TSuperStringGrid;

// The subnet calculator's steps on the window driver. Each case is a
// list of user steps and a list of what the user then reads:
//
//   steps:    "tab:CIDR"            click that tab
//             "class:C"             click that class in the selector
//             "bits:7"              type into the bits field, then Enter
//             "type:7"              type into the bits field, no Enter
//             "up:3", "down:2"      arrow keys in the bits field
//             "octet:MaskEdit1=10:enter"   click the octet, replace its text,
//                                   then Enter or Tab (none: three digits
//                                   move on by themselves)
//             "enter:MaskEdit1"     click the octet and press Enter
//             "menu:Alt+L"          keys that hand the keyboard to the menu
//                                   bar (or "menu:Alt"); the menu must open,
//                                   and is then closed with Esc
//             "keys:Alt+S"          a key sequence to the window
//             "mark"                write a marker into the table's first row,
//                                   to see whether it is rebuilt
//             "select:1-3"          drag-select table rows 1 to 3, both columns
//             "copy"                Ctrl+C
//             "click copy button"
//   expected: "Name=text" for a panel, label, edit, group or the bits field;
//             "class=B", "rows=257", "row 1=    0|128.0.0.1  -  128.0.0.254",
//             "last row=...", "clipboard=...", "focus=MaskEdit2",
//             "selection=" (the focused field's selected text),
//             "BitsLabel.x=211", "edit menu=on", "copy button=off".
class SubnetDriver : public virtual WindowDriver
{
public:
    void runStep(const QString& step);
    // The address typed as a user types it into MaskEdit<firstEdit> and the
    // three after it, each octet left with Tab unless three digits moved on.
    void typeAddress(const QString& address, int firstEdit);
    // What the user reads under the name, as the expected lists spell it.
    QString shown(const QString& name) const;

    // The columns of a scenario table: steps, expected and the messages shown.
    static void addColumns();
    // Runs the current row of a table made with addColumns().
    void runScenario();
    static QStringList none() { return {}; }

private:
    TSuperStringGrid* subnetGrid() const;
    QString gridRow(int row) const;
    void useMenuBar(const QString& sequence);
    static QString octetBoxGaps(QWidget* box);
};
