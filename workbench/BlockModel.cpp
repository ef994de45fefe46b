#include "workbench/BlockModel.h"

#include "ipaddress/CidrText.h"

namespace {

const char* const Headers[] = {"#", "Block", "First", "Last"};

} // namespace

TBlockModel::TBlockModel(QObject* parent) : QAbstractTableModel(parent) {}

void TBlockModel::setMask(const std::optional<WildcardMask>& mask)
{
    beginResetModel();
    FMask = mask;
    FRows = !mask ? 0 : mask->blockCountBits() >= 20 ? MaxRows : 1 << mask->blockCountBits();
    endResetModel();
}

bool TBlockModel::cut() const
{
    return FMask && FMask->blockCountBits() > 20;
}

int TBlockModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FRows;
}

int TBlockModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

QString TBlockModel::cell(int row, int column) const
{
    if (column == 0)
        return QString::number(row + 1);
    const CidrBlock block = FMask->blockAt(Uint128(uint64_t(row)));
    switch (column) {
    case 1:
        return QString::fromStdString(cidrtext::networkText(block));
    case 2:
        return QString::fromStdString(addressText(block.family, block.network()));
    default:
        return QString::fromStdString(addressText(block.family, block.last()));
    }
}

QVariant TBlockModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FRows)
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TBlockModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
        return QString::fromLatin1(Headers[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString TBlockModel::tabSeparated(const std::vector<int>& rows) const
{
    QString text = QStringLiteral("#\tBlock\tFirst\tLast");
    for (int row : rows) {
        text += QStringLiteral("\r\n");
        for (int column = 0; column < 4; ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += cell(row, column);
        }
    }
    return text;
}
