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

bool StringGridModel::storeCell(int col, int row, const QString& text)
{
    QString& stored = FCells[static_cast<size_t>(row) * FColCount + col];
    if (stored == text)
        return false;
    stored = text;
    return true;
}

void StringGridModel::ChangedCells::add(int col, int row, int fixedCols, int fixedRows)
{
    const bool fixedCol = col < fixedCols;
    const bool fixedRow = row < fixedRows;
    if (fixedCol && fixedRow) {
        corner = true;
    } else if (fixedRow) {
        headerFirst = std::min(headerFirst, col);
        headerLast = std::max(headerLast, col);
    } else if (fixedCol) {
        sideFirst = std::min(sideFirst, row);
        sideLast = std::max(sideLast, row);
    } else {
        bodyLeft = std::min(bodyLeft, col);
        bodyRight = std::max(bodyRight, col);
        bodyTop = std::min(bodyTop, row);
        bodyBottom = std::max(bodyBottom, row);
    }
}

void StringGridModel::notifyChanged(const ChangedCells& changed)
{
    if (changed.corner)
        emit cornerCellChanged();
    if (changed.headerFirst <= changed.headerLast)
        emit headerDataChanged(Qt::Horizontal, changed.headerFirst - FFixedCols,
                               changed.headerLast - FFixedCols);
    if (changed.sideFirst <= changed.sideLast)
        emit headerDataChanged(Qt::Vertical, changed.sideFirst - FFixedRows,
                               changed.sideLast - FFixedRows);
    if (changed.bodyLeft <= changed.bodyRight)
        emit dataChanged(index(changed.bodyTop - FFixedRows, changed.bodyLeft - FFixedCols),
                         index(changed.bodyBottom - FFixedRows, changed.bodyRight - FFixedCols),
                         {Qt::DisplayRole});
}

void StringGridModel::setCell(int col, int row, const QString& text)
{
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount)
        return;
    if (!storeCell(col, row, text))
        return;
    ChangedCells changed;
    changed.add(col, row, FFixedCols, FFixedRows);
    notifyChanged(changed);
}

void StringGridModel::setCellBlock(int left, int top, int width, const QStringList& texts)
{
    if (width < 1)
        return;
    ChangedCells changed;
    // 64-bit positions: a block that starts far out may not wrap back in.
    const qint64 count = texts.size();
    qint64 row = top;
    for (qint64 first = 0; first < count && row < FRowCount; first += width, ++row) {
        if (row < 0)
            continue;
        const qint64 rowEnd = std::min(first + width, count);
        for (qint64 i = first; i < rowEnd; ++i) {
            const qint64 col = left + (i - first);
            if (col < 0 || col >= FColCount)
                continue;
            const int c = static_cast<int>(col);
            const int r = static_cast<int>(row);
            if (storeCell(c, r, texts[static_cast<qsizetype>(i)]))
                changed.add(c, r, FFixedCols, FFixedRows);
        }
    }
    notifyChanged(changed);
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
