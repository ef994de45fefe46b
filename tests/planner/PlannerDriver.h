#pragma once

#include "planner/PlannerWindow.h"
#include "tests/support/WindowDriver.h"

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QMessageBox;
class TPlanMap;

// The address planner driven through the real main window, as a user does
// (an addition on the window driver):
// the menu entry opens it, keys type into its fields and cells, its buttons
// and menu entries are clicked, and its file dialogs and questions are
// answered as they open. Steps and what is read are strings, so that the
// tests are tables:
//
//   steps:  "parents:10.0.0.0/8\n10.1.0.0/16"   replace the parents field by typing
//           "paste:TEXT"                   the text on the clipboard, then Paste
//           "edit:ROW:COLUMN:TEXT"         type into a request cell (from 1), then Enter
//           "type:ROW:COLUMN:TEXT"         the same, without Enter: the editor stays open
//           "mode:2" "grow:20" "order:1"   choose an option (an entry's index)
//           "nibble" "p2p30"               click the check box
//           "select:ROW"                   click a request row (from 1)
//           "esc"                          Esc to the focused control
//           "add" "remove" "up" "down" "undo" "redo"   the menu's entries
//   read:   "rows"                         the placed table's rows, '|' between cells
//           "unplaced", "free"             the other two tables' rows likewise
//           "requests"                     the request rows, "name size"
//           "parentsText"                  the parents field's text
//           "fact:Netmask"                 a fact of the first parent
//           "title"                        the window title, '*' when modified
//           "FIELD"                        a fault line's text (ParentsFault, ...)
//           "marked"                       the fields marked as at fault
//           "Summary"                      the line under the placed table
class PlannerDriver : public virtual WindowDriver
{
public:
    // A window as on a first run, with no remembered plan, and the planner
    // opened from its menu.
    void startPlanner();
    // Opens the planner from the main window's menu.
    void openPlanner();

    TPlannerWindow* planner() const { return form()->plannerWindow(); }
    // A control of the planner's window, which is a window of its own.
    template <class T = QWidget> T* inPlanner(const QString& name) const
    {
        T* widget = planner()->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s in the planner", qPrintable(name));
        return widget;
    }

    void run(const QString& step);
    void runAll(const QStringList& steps);
    QString read(const QString& what) const;

    // The planner's menu entry, triggered as a click on it does.
    void triggerPlanner(const char* actionName);
    // Answers the file dialog the last step opened with this file.
    void answerFileDialog(const QString& fileName);
    // Clicks a button of the question the last step asked (Save, Discard, Cancel).
    void answerQuestion(const QString& button);
    // True while a question is open.
    bool questionOpen() const;

    // Clicks the map at its block `placed`, or the placed table's row.
    void clickMapBlock(int placed);
    void clickPlacedRow(int row);

    // A file's bytes, or "(unreadable)".
    static QByteArray fileContent(const QString& fileName);

private:
    QMessageBox* question() const;
    static void typeLines(QWidget* field, const QString& text);
    void editCell(int row, int column, const QString& text, bool commit);
    static QString rowText(const QAbstractItemView* view, int row, QChar separator);
};
