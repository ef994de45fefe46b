#pragma once

#include "bits/WordReading.h"

#include <QAbstractListModel>
#include <QListView>
#include <QUndoCommand>

#include <functional>

class QUndoStack;

// What the history keeps of each step: the word, and the form the entry
// writes it in.
struct WorkbenchState
{
    BitWord word;
    InputForm form = InputForm::Hexadecimal;
};

// One step of the word's history: what was done and the states before and
// after it. Keys typed one after another into the entry are one step.
class TWordChange : public QUndoCommand
{
public:
    using Show = std::function<void(const WorkbenchState&)>;
    TWordChange(Show show, const WorkbenchState& before, const WorkbenchState& after,
                const QString& what, bool typed);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const WorkbenchState& after() const { return FAfter; }

private:
    void describe();

    Show FShow;
    WorkbenchState FBefore;
    WorkbenchState FAfter;
    QString FWhat;
    bool FTyped;
};

// The history as a list: the start, then every step with the value after
// it. The current one is bold, the steps undone are dimmed.
class TWordHistory : public QAbstractListModel
{
    Q_OBJECT
public:
    TWordHistory(QUndoStack* stack, QObject* parent);

    // The state the history starts from, before any step.
    void setStart(const WorkbenchState& start);
    const WorkbenchState& stateAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void stackChanged();

    QUndoStack* FStack;
    WorkbenchState FStart;
    int FRows = 1;
};

// The history panel: Ctrl+C copies the values of the chosen entries, one
// a line, in the window's copy form; Enter or a double click goes back (or
// forward) to an entry.
class THistoryView : public QListView
{
    Q_OBJECT
public:
    using CopyText = std::function<QString(const BitWord&)>;
    THistoryView(TWordHistory* history, QUndoStack* stack, CopyText copyText, QWidget* parent);

    QString selectedText() const;
    void copySelected();
    void goToCurrent();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TWordHistory* FHistory;
    QUndoStack* FStack;
    CopyText FCopyText;
};

// "0x0000_00FF": the value as the history and its entries show it.
QString historyValueText(const BitWord& word);
