#pragma once

#include "ipaddress/PlanText.h"

#include <QAbstractTableModel>
#include <QHash>

#include <vector>

class QUndoStack;

// The request table: a name and a size ("100" or "/28") per row, kept as
// typed. Every edit made through the view becomes a command on the undo
// stack; the commands (RequestCommands.h) change the rows through the
// operations below, which are what undo and redo replay.
//
// While a cell is being typed in, its text is previewed: the plan follows
// each keystroke, and the edit becomes one command when it is committed,
// or is taken back when it is cancelled.
class TRequestModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NameColumn,
        SizeColumn,
        ColumnCount,
    };

    TRequestModel(QUndoStack* undoStack, QObject* parent);

    const std::vector<plantext::RequestText>& requests() const { return FRows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit from the view: pushed as a command.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // A cell's text while it is typed in, before it is committed.
    void previewCell(int row, int column, const QString& text);
    // Takes a preview that was not committed back.
    void endPreview();

    // The faults found in the last reading: the cells are marked and say why
    // in their tooltip.
    void setMarks(std::vector<std::pair<QModelIndex, QString>> marks);

    // What the commands do, and what undo replays.
    void setCell(int row, int column, const std::string& text);
    void insertRequests(int row, const std::vector<plantext::RequestText>& requests);
    std::vector<plantext::RequestText> removeRequests(int row, int count);
    // Rows first .. first + count - 1 move by `delta` places.
    void moveRequests(int first, int count, int delta);
    void replaceAll(std::vector<plantext::RequestText> requests);

signals:
    // The texts changed: the plan is to be made again.
    void requestsChanged();

private:
    static std::string& cellText(plantext::RequestText& row, int column);
    static const std::string& cellText(const plantext::RequestText& row, int column);
    void clearMarks();
    void markedRowsChanged();

    QUndoStack* FUndoStack;
    std::vector<plantext::RequestText> FRows;
    struct Preview
    {
        int row = -1;
        int column = 0;
        std::string committed; // the cell's text before the preview
    };
    Preview FPreview;
    // Marked cells by row * ColumnCount + column, and the rows they span.
    QHash<int, QString> FMarks;
    int FMarkedFirst = 0;
    int FMarkedLast = -1;
};
