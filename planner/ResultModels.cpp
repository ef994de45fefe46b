#include "planner/ResultModels.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanText.h"
#include "output/Report.h"

#include <algorithm>

void TPlanTableModel::showPlan(const PlanInput* input, const PlanResult* result)
{
    FInput = result ? input : nullptr;
    FResult = input ? result : nullptr;
    planChanged();
    std::vector<ColumnHead> columns = columnsFor(FResult ? FResult->family : AddressFamily::IPv4);
    const int rows = FResult ? rowsIn(*FResult) : 0;
    if (columns.size() != FColumns.size()) {
        beginResetModel();
        FColumns = std::move(columns);
        FRows = rows;
        endResetModel();
        return;
    }
    // Rows are added or taken at the end and the rest are told they
    // changed, so that the views keep their scroll position and selection.
    if (rows > FRows) {
        beginInsertRows({}, FRows, rows - 1);
        FRows = rows;
        endInsertRows();
    } else if (rows < FRows) {
        beginRemoveRows({}, rows, FRows - 1);
        FRows = rows;
        endRemoveRows();
    }
    if (FRows > 0)
        emit dataChanged(index(0, 0), index(FRows - 1, int(FColumns.size()) - 1),
                         {Qt::DisplayRole});
}

int TPlanTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FRows;
}

int TPlanTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FColumns.size());
}

QVariant TPlanTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FRows || !FResult)
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && FColumns[size_t(index.column())].rightAligned)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TPlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return size_t(section) < FColumns.size() ? QVariant(FColumns[size_t(section)].header)
                                             : QVariant();
}

QString TPlanTableModel::tabSeparated(const std::vector<int>& rows) const
{
    std::vector<Column> columns;
    for (const ColumnHead& head : FColumns)
        columns.push_back({std::string(), head.header.toStdString()});
    std::string text;
    Output out(text);
    Report report(out, Format::Tsv);
    report.beginTable({}, std::string(), std::move(columns));
    std::vector<std::string> texts(FColumns.size());
    std::vector<Cell> cells(FColumns.size());
    for (int row : rows) {
        for (size_t column = 0; column < FColumns.size(); ++column) {
            texts[column] = cellText(row, int(column)).toStdString();
            cells[column] = {texts[column]};
        }
        report.row(cells.data());
    }
    report.endTable(rows.size(), Value::count(std::to_string(rows.size())), false, "rows");
    out.flush();
    return QString::fromStdString(text);
}

QString TPlanTableModel::tabSeparated() const
{
    std::vector<int> rows(static_cast<size_t>(FRows));
    for (int row = 0; row < FRows; ++row)
        rows[size_t(row)] = row;
    return tabSeparated(rows);
}

// --- placed ------------------------------------------------------------------

std::vector<TPlanTableModel::ColumnHead> TPlacedModel::columnsFor(AddressFamily family) const
{
    std::vector<ColumnHead> columns;
    for (size_t i = 0; i < plantable::ColumnCount; ++i) {
        const auto column = plantable::PlacedColumn(i);
        if (plantable::shownToPeople(column, family)) {
            const plantable::ColumnInfo& info = plantable::placedColumns()[i];
            columns.push_back({QString::fromLatin1(info.header), info.rightAligned});
        }
    }
    return columns;
}

void TPlacedModel::planChanged()
{
    FCachedRow = -1;
    FShown.clear();
    const AddressFamily family = FResult ? FResult->family : AddressFamily::IPv4;
    for (size_t i = 0; i < plantable::ColumnCount; ++i)
        if (plantable::shownToPeople(plantable::PlacedColumn(i), family))
            FShown.push_back(plantable::PlacedColumn(i));
}

int TPlacedModel::rowsIn(const PlanResult& result) const
{
    return int(result.placed.size());
}

QString TPlacedModel::cellText(int row, int column) const
{
    if (row != FCachedRow) {
        plantable::fillPlacedRow(FRow, *FInput, *FResult, FResult->placed[size_t(row)],
                                 plantable::CellStyle::Tsv);
        FCachedRow = row;
    }
    return QString::fromStdString(FRow.text[FShown[size_t(column)]]);
}

// --- did not fit ---------------------------------------------------------------

std::vector<TPlanTableModel::ColumnHead> TUnplacedModel::columnsFor(AddressFamily) const
{
    return {{QStringLiteral("Name"), false},
            {QStringLiteral("Asked"), true},
            {QStringLiteral("Needs"), true}};
}

int TUnplacedModel::rowsIn(const PlanResult& result) const
{
    return int(result.unplaced.size());
}

QString TUnplacedModel::cellText(int row, int column) const
{
    const UnplacedRequest& unplaced = FResult->unplaced[size_t(row)];
    const PlanRequest& request = FInput->requests[unplaced.request];
    switch (column) {
    case 0:
        return QString::fromStdString(request.name);
    case 1:
        return QString::fromStdString(plantext::requestSizeText(request));
    default:
        return QStringLiteral("/%1").arg(unplaced.prefix);
    }
}

// --- free ----------------------------------------------------------------------

std::vector<TPlanTableModel::ColumnHead> TFreeModel::columnsFor(AddressFamily) const
{
    return {{QStringLiteral("Parent"), false},
            {QStringLiteral("Free block"), false},
            {QStringLiteral("Addresses"), true}};
}

int TFreeModel::rowsIn(const PlanResult& result) const
{
    return int(result.free.size());
}

QString TFreeModel::cellText(int row, int column) const
{
    const CidrBlock& block = FResult->free[size_t(row)];
    switch (column) {
    case 0: {
        // The parents hold their free blocks in order, as ranges of the list.
        const auto parent =
            std::find_if(FResult->parents.begin(), FResult->parents.end(),
                         [row](const ParentUse& use) { return size_t(row) < use.freeEnd; });
        const size_t p = size_t(parent - FResult->parents.begin());
        return p < FInput->parents.size()
                   ? QString::fromStdString(cidrtext::networkText(FInput->parents[p]))
                   : QString();
    }
    case 1:
        return QString::fromStdString(cidrtext::networkText(block));
    default:
        return QString::fromStdString(addresstext::powerOfTwoText(block.hostBits()));
    }
}
