#pragma once

#include "tests/support/WindowDriver.h"
#include "workbench/BitWorkbench.h"

#include <QString>
#include <QStringList>

// The bit workbench driven through the real main window, as a user does:
// its menu entry opens it, keys type into its fields, the mouse clicks and
// drags on its bit grid, its buttons are clicked. Steps and what is read are
// strings, so that the tests are tables:
//
//   steps:  "type:TEXT"        the value entry typed over, key by key
//           "paste:TEXT"       the text pasted over the value entry
//           "width:128"        the width chosen with the keys of its box
//           "signed" "carry"   a click on the check box
//           "operand:TEXT"     the operand field typed over
//           "count:N"          the count typed over
//           "click:BIT"        a click on the grid's bit
//           "drag:I-J"         a drag on the grid from bit I to bit J
//           "keys:SEQUENCE"    keys to the grid, such as "Left" or "Shift+Left"
//           "shortcut:SEQ"     keys to the value entry, where the focus is
//           "not" "and" "shl" ...  the operation's button, by its name
//           "undo" "redo"      the Edit menu's entries
//           "copyform:N"       the copy form chosen (0 0x hex ... 4 all views)
//           "copy"             the Copy button
//   read:   "view:KEY"         a view's text ("view:hexadecimal")
//           "entry"            the value entry's text
//           "message"          the line under the entry
//           "field"            the line under the grid
//           "width", "signed", "carry"   the controls' state
//           "history"          the history's entries, ';' between them
class WorkbenchDriver : public virtual WindowDriver
{
public:
    // A window as on a first run, with nothing remembered, and the bit
    // workbench opened from its menu.
    void startWorkbench();
    void openWorkbench();

    TBitWorkbench* workbench() const { return form()->bitWorkbench(); }
    template <class T = QWidget> T* inWorkbench(const QString& name) const
    {
        T* widget = workbench()->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s in the bit workbench", qPrintable(name));
        return widget;
    }

    void run(const QString& step);
    void runAll(const QStringList& steps);
    QString read(const QString& what) const;

private:
    void dragOnGrid(unsigned from, unsigned to);
};
