#include "radix/LookupTable.h"

#include "controls/SuperStringGrid.h"
#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/QorvelGlobal.h"

void fillLookupTable(TSuperStringGrid& grid)
{
    const auto text = [](const std::string& cell) { return QString::fromStdString(cell); };
    grid.setCells(0, 0, QStringLiteral("Decimal"));
    grid.setCells(1, 0, QStringLiteral("Hexadecimal"));
    grid.setCells(2, 0, QStringLiteral("Binary"));
    // Leading blanks keep every hexadecimal cell two characters and every
    // binary cell nine wide, so the columns line up.
    for (int32_t value = 0; value <= 255; ++value) {
        const int row = value + 1;
        grid.setCells(0, row, text(conv::intToStr(value)));
        if (value < 16) {
            grid.setCells(1, row, text(" " + conv::intToHex(value, 1)));
            grid.setCells(2, row, text("     " + IntToBin(value, 4)));
        } else {
            grid.setCells(1, row, text(conv::intToHex(value, 2)));
            grid.setCells(2, row, text(GroupBy(IntToBin(value, 8), 4)));
        }
    }
}
