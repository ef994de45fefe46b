#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <climits>
#include <vector>

// The cells of a string grid, addressed as (column, row) of the whole grid.
// Only the scrolling part of the grid is exposed as model items: item (r, c)
// is grid cell (c + fixedCols, r + fixedRows). The fixed rows and columns are
// drawn by the grid's headers, which read them through cell(). A grid always
// keeps at least one scrolling row and one scrolling column.
class StringGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit StringGridModel(QObject* parent = nullptr);

    int gridColCount() const { return FColCount; }
    int gridRowCount() const { return FRowCount; }
    int fixedCols() const { return FFixedCols; }
    int fixedRows() const { return FFixedRows; }

    // Resizes the grid, keeping the text of every cell that stays inside it.
    // Counts below 1 become 1; fixed counts shrink to leave one scrolling
    // row and column.
    void setGridSize(int colCount, int rowCount);
    // Counts are clamped to 0 .. count - 1.
    void setFixed(int fixedCols, int fixedRows);

    // Out-of-range cells read as empty and ignore writes.
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Writes `texts` row after row into the block whose top-left cell is
    // (left, top), `width` cells to a row; the last row may be short. Cells
    // outside the grid are skipped. Views hear of the block once, not once
    // per cell, which is what keeps refilling a long table cheap.
    void setCellBlock(int left, int top, int width, const QStringList& texts);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A cell of the top-left block (in a fixed row and a fixed column).
    void cornerCellChanged();

private:
    // The cells a write changed, by the part of the grid that shows them.
    struct ChangedCells
    {
        void add(int col, int row, int fixedCols, int fixedRows);

        bool corner = false;
        int headerFirst = INT_MAX, headerLast = INT_MIN; // columns, in a fixed row
        int sideFirst = INT_MAX, sideLast = INT_MIN;     // rows, in a fixed column
        int bodyLeft = INT_MAX, bodyRight = INT_MIN;     // scrolling cells
        int bodyTop = INT_MAX, bodyBottom = INT_MIN;
    };

    static int clampCount(int count) { return count < 1 ? 1 : count; }
    // Stores the text; true when the cell held another one.
    bool storeCell(int col, int row, const QString& text);
    void notifyChanged(const ChangedCells& changed);
    void resizeStorage(int colCount, int rowCount);

    int FColCount = 1;
    int FRowCount = 1;
    int FFixedCols = 0;
    int FFixedRows = 0;
    std::vector<QString> FCells; // row-major, FRowCount * FColCount
};
