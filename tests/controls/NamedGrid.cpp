#include "tests/controls/NamedGrid.h"

QString cellName(int col, int row)
{
    return QStringLiteral("c%1r%2").arg(col).arg(row);
}

void fillNamed(TSuperStringGrid& grid)
{
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int col = 0; col < grid.ColCount(); ++col)
            grid.setCells(col, row, cellName(col, row));
}

QModelIndex itemAt(const TSuperStringGrid& grid, int col, int row)
{
    return grid.model()->index(row - grid.FixedRows(), col - grid.FixedCols());
}

TGridRect rectOf(const QList<int>& v)
{
    return TGridRect{v.at(0), v.at(1), v.at(2), v.at(3)};
}

QString describe(const TGridRect& r)
{
    return QStringLiteral("(%1,%2)-(%3,%4)").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}
