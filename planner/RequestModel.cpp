#include "planner/RequestModel.h"

#include "planner/PlanCommands.h"

#include "controls/FieldMark.h"
#include "core/Text.h"

#include <QApplication>
#include <QPalette>
#include <QUndoStack>

#include <algorithm>
#include <climits>

TRequestModel::TRequestModel(QUndoStack* undoStack, QObject* parent)
    : QAbstractTableModel(parent), FUndoStack(undoStack)
{
}

std::string& TRequestModel::cellText(plantext::RequestText& row, int column)
{
    return column == NameColumn ? row.name : row.size;
}

const std::string& TRequestModel::cellText(const plantext::RequestText& row, int column)
{
    return column == NameColumn ? row.name : row.size;
}

int TRequestModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FRows.size());
}

int TRequestModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TRequestModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= FRows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(cellText(FRows[size_t(index.row())], index.column()));
    case Qt::TextAlignmentRole:
        return index.column() == SizeColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
    case Qt::BackgroundRole:
    case Qt::ToolTipRole: {
        const auto mark = FMarks.constFind(index.row() * ColumnCount + index.column());
        if (mark == FMarks.constEnd())
            return {};
        return role == Qt::ToolTipRole ? QVariant(*mark)
                                       : QVariant(fieldmark::markedBase(QApplication::palette()));
    }
    default:
        return {};
    }
}

QVariant TRequestModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section == NameColumn ? QStringLiteral("Name") : QStringLiteral("Hosts or prefix");
}

Qt::ItemFlags TRequestModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool TRequestModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || size_t(index.row()) >= FRows.size())
        return false;
    const int row = index.row();
    const int column = index.column();
    // Blanks around a cell's text are never meant: a size of " 100" is 100.
    const std::string text(text::trimmed(value.toString().toStdString()));
    std::string before = cellText(FRows[size_t(row)], column);
    if (FPreview.row == row && FPreview.column == column) {
        before = FPreview.committed;
        FPreview.row = -1;
    }
    if (text == before) {
        // A preview of the same text, or none: the cell holds what it held.
        setCell(row, column, text);
        return true;
    }
    FUndoStack->push(plancommands::editCell(this, row, column, before, text));
    return true;
}

void TRequestModel::previewCell(int row, int column, const QString& text)
{
    if (row < 0 || size_t(row) >= FRows.size())
        return;
    if (FPreview.row != row || FPreview.column != column) {
        endPreview();
        FPreview = {row, column, cellText(FRows[size_t(row)], column)};
    }
    // The cell's editor shows the text: the view is not told, so that the
    // editor keeps its cursor.
    cellText(FRows[size_t(row)], column) = text::trimmed(text.toStdString());
    emit requestsChanged();
}

void TRequestModel::endPreview()
{
    if (FPreview.row < 0)
        return;
    const int row = FPreview.row;
    FPreview.row = -1;
    if (size_t(row) < FRows.size())
        setCell(row, FPreview.column, FPreview.committed);
}

void TRequestModel::setMarks(std::vector<std::pair<QModelIndex, QString>> marks)
{
    clearMarks();
    if (marks.empty())
        return;
    FMarkedFirst = INT_MAX;
    FMarkedLast = -1;
    for (auto& [cell, message] : marks) {
        FMarks.insert(cell.row() * ColumnCount + cell.column(), message);
        FMarkedFirst = std::min(FMarkedFirst, cell.row());
        FMarkedLast = std::max(FMarkedLast, cell.row());
    }
    markedRowsChanged();
}

void TRequestModel::clearMarks()
{
    if (FMarks.isEmpty())
        return;
    FMarks.clear();
    markedRowsChanged();
    FMarkedLast = -1;
}

void TRequestModel::markedRowsChanged()
{
    // One signal for the rows the marks span: the view repaints what it
    // shows of them once, however many there are.
    const int last = std::min(FMarkedLast, int(FRows.size()) - 1);
    if (FMarkedFirst <= last)
        emit dataChanged(index(FMarkedFirst, 0), index(last, ColumnCount - 1),
                         {Qt::BackgroundRole, Qt::ToolTipRole});
}

void TRequestModel::setCell(int row, int column, const std::string& text)
{
    if (row < 0 || size_t(row) >= FRows.size())
        return;
    cellText(FRows[size_t(row)], column) = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
    emit requestsChanged();
}

void TRequestModel::insertRequests(int row, const std::vector<plantext::RequestText>& requests)
{
    if (requests.empty())
        return;
    row = std::clamp(row, 0, int(FRows.size()));
    // Rows move under a cell being typed in: its preview goes back first, so
    // that it cannot land on another row.
    endPreview();
    clearMarks();
    beginInsertRows({}, row, row + int(requests.size()) - 1);
    FRows.insert(FRows.begin() + row, requests.begin(), requests.end());
    endInsertRows();
    emit requestsChanged();
}

std::vector<plantext::RequestText> TRequestModel::removeRequests(int row, int count)
{
    row = std::clamp(row, 0, int(FRows.size()));
    count = std::clamp(count, 0, int(FRows.size()) - row);
    if (count == 0)
        return {};
    endPreview();
    clearMarks();
    beginRemoveRows({}, row, row + count - 1);
    const auto first = FRows.begin() + row;
    std::vector<plantext::RequestText> removed(std::make_move_iterator(first),
                                               std::make_move_iterator(first + count));
    FRows.erase(first, first + count);
    endRemoveRows();
    emit requestsChanged();
    return removed;
}

void TRequestModel::moveRequests(int first, int count, int delta)
{
    const int size = int(FRows.size());
    if (count <= 0 || delta == 0 || first < 0 || first + count > size || first + delta < 0 ||
        first + count + delta > size)
        return;
    endPreview();
    clearMarks();
    // Qt names the row the block goes before, in the rows as they were.
    const int destination = delta < 0 ? first + delta : first + count + delta;
    beginMoveRows({}, first, first + count - 1, {}, destination);
    const auto begin = FRows.begin();
    if (delta < 0)
        std::rotate(begin + first + delta, begin + first, begin + first + count);
    else
        std::rotate(begin + first, begin + first + count, begin + first + count + delta);
    endMoveRows();
    emit requestsChanged();
}

void TRequestModel::replaceAll(std::vector<plantext::RequestText> requests)
{
    FPreview.row = -1;
    FMarks.clear();
    FMarkedLast = -1;
    beginResetModel();
    FRows = std::move(requests);
    endResetModel();
    emit requestsChanged();
}
