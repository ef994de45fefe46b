#pragma once

#include "app/MainForm.h"

#include <QString>
#include <QStringList>
#include <memory>

class TSuperStringGrid;
class QLineEdit;

// The subnet calculator driven through the real main window. Each case is a
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
//
// Helpers that check something report through QtTest; callers that go on
// after them test QTest::currentTestFailed().
class SubnetDriver
{
public:
    // A fresh window on a first run, with the subnet calculator selected and
    // "untouched" on the clipboard.
    void start();
    void stop();

    TMainForm* form() const { return FForm.get(); }

    template <class T = QWidget> T* find(const QString& name) const
    {
        T* widget = FForm->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }

    void runStep(const QString& step);
    // What the user reads under the name, as the expected lists spell it.
    QString shown(const QString& name) const;

    // The columns of a scenario table: steps, expected and the messages shown.
    static void addColumns();
    // Runs the current row of a table made with addColumns().
    void runScenario();
    static QStringList none() { return {}; }

private:
    TSuperStringGrid* grid() const;
    QString gridRow(int row) const;
    void clickTab(const QString& title);
    void useMenuBar(const QString& keys);
    static void replaceText(QLineEdit* field, const QString& text);
    void clickGridCell(int row, int col, Qt::KeyboardModifiers modifiers);
    static QString octetBoxGaps(QWidget* box);

    std::unique_ptr<TMainForm> FForm;
};
