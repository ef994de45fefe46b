#include "controls/StringGridModel.h"

#include <algorithm>

StringGridModel::StringGridModel(QObject* parent) : QAbstractTableModel(parent), FCells(1) {}

void StringGridModel::resizeStorage(int colCount, int rowCount)
{
    if (colCount == FColCount) {
        // Row-major storage: rows come and go at the end.
        FCells.resize(static_cast<size_t>(rowCount) * static_cast<size_t>(colCount));
    } else {
        std::vector<QString> cells(static_cast<size_t>(rowCount) * static_cast<size_t>(colCount));
        const int keepRows = std::min(rowCount, FRowCount);
        const int keepCols = std::min(colCount, FColCount);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[static_cast<size_t>(r) * colCount + c] =
                    std::move(FCells[static_cast<size_t>(r) * FColCount + c]);
        FCells.swap(cells);
    }
    FColCount = colCount;
    FRowCount = rowCount;
}

void StringGridModel::setGridSize(int colCount, int rowCount)
{
    colCount = clampCount(colCount);
    rowCount = clampCount(rowCount);
    if (colCount == FColCount && rowCount == FRowCount)
        return;

    if (FFixedCols >= colCount || FFixedRows >= rowCount) {
        // The split between fixed and scrolling cells moves: every item
        // changes its meaning, so the views start over.
        beginResetModel();
        resizeStorage(colCount, rowCount);
        FFixedCols = std::min(FFixedCols, colCount - 1);
        FFixedRows = std::min(FFixedRows, rowCount - 1);
        endResetModel();
        return;
    }

    // Grow or shrink at the end so that views keep their selection and
    // scroll position; this is what makes rebuilding a long table cheap.
    if (colCount < FColCount) {
        beginRemoveColumns(QModelIndex(), colCount - FFixedCols, FColCount - FFixedCols - 1);
        resizeStorage(colCount, FRowCount);
        endRemoveColumns();
    } else if (colCount > FColCount) {
        beginInsertColumns(QModelIndex(), FColCount - FFixedCols, colCount - FFixedCols - 1);
        resizeStorage(colCount, FRowCount);
        endInsertColumns();
    }
    if (rowCount < FRowCount) {
        beginRemoveRows(QModelIndex(), rowCount - FFixedRows, FRowCount - FFixedRows - 1);
        resizeStorage(FColCount, rowCount);
        endRemoveRows();
    } else if (rowCount > FRowCount) {
        beginInsertRows(QModelIndex(), FRowCount - FFixedRows, rowCount - FFixedRows - 1);
        resizeStorage(FColCount, rowCount);
        endInsertRows();
    }
}

void StringGridModel::setFixed(int fixedCols, int fixedRows)
{
    fixedCols = std::clamp(fixedCols, 0, FColCount - 1);
    fixedRows = std::clamp(fixedRows, 0, FRowCount - 1);
    if (fixedCols == FFixedCols && fixedRows == FFixedRows)
        return;
    beginResetModel();
    FFixedCols = fixedCols;
    FFixedRows = fixedRows;
    endResetModel();
}

QString StringGridModel::cell(int col, int row) const
{
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount)
        return QString();
    return FCells[static_cast<size_t>(row) * FColCount + col];
}

void StringGridModel::setCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount)
        return;
    QString& stored = FCells[static_cast<size_t>(row) * FColCount + col];
    if (stored == text)
        return;
    stored = text;

    const bool fixedCol = col < FFixedCols;
    const bool fixedRow = row < FFixedRows;
    if (fixedCol && fixedRow) {
        emit cornerCellChanged();
    } else if (fixedRow) {
        emit headerDataChanged(Qt::Horizontal, col - FFixedCols, col - FFixedCols);
    } else if (fixedCol) {
        emit headerDataChanged(Qt::Vertical, row - FFixedRows, row - FFixedRows);
    } else {
        const QModelIndex item = index(row - FFixedRows, col - FFixedCols);
        emit dataChanged(item, item, {Qt::DisplayRole});
    }
}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FRowCount - FFixedRows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FColCount - FFixedCols;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QVariant();
    return cell(index.column() + FFixedCols, index.row() + FFixedRows);
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    // Several fixed rows (or columns) make one header section; assistive
    // technology reads them as one text.
    QStringList parts;
    if (orientation == Qt::Horizontal) {
        for (int r = 0; r < FFixedRows; ++r)
            parts << cell(section + FFixedCols, r);
    } else {
        for (int c = 0; c < FFixedCols; ++c)
            parts << cell(c, section + FFixedRows);
    }
    return parts.join(QLatin1Char(' '));
}
