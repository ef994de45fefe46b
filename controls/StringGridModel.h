#pragma once

#include <QAbstractTableModel>
#include <QString>

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

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // A cell of the top-left block (in a fixed row and a fixed column).
    void cornerCellChanged();

private:
    static int clampCount(int count) { return count < 1 ? 1 : count; }
    void resizeStorage(int colCount, int rowCount);

    int FColCount = 1;
    int FRowCount = 1;
    int FFixedCols = 0;
    int FFixedRows = 0;
    std::vector<QString> FCells; // row-major, FRowCount * FColCount
};
