#include "subnet/SubnetTable.h"

#include "ipaddress/IPAddress.h"

#include <string>

namespace subnettable {

namespace {

// Cells are built in a small buffer and turned into text once: the table
// makes two of them per row for up to 16385 rows.
class CellBuffer
{
public:
    void append(const std::string& text)
    {
        for (char c : text)
            append(c);
    }
    void append(const char* text)
    {
        while (*text)
            append(*text++);
    }
    void append(char c)
    {
        if (FLength < sizeof FText)
            FText[FLength++] = c;
    }
    QString text() const { return QString::fromLatin1(FText, static_cast<qsizetype>(FLength)); }

private:
    char FText[48];
    size_t FLength = 0;
};

} // namespace

int32_t lastListedSubnet(const TIPAddSubnet& subnet)
{
    // SubnetBits is at most 22, so the shift stays far inside 32 bits.
    const int32_t last = (int32_t(1) << subnet.SubnetBits()) - 1;
    return last > LastListedLimit ? LastListedLimit : last;
}

QString numberText(int32_t number)
{
    const std::string digits = std::to_string(number);
    CellBuffer cell;
    for (size_t width = digits.size(); width < 5; ++width)
        cell.append(' ');
    cell.append(digits);
    return cell.text();
}

QString hostRangeText(const TIPAddSubnet& subnet)
{
    CellBuffer cell;
    cell.append(subnet.FirstHost().DecimalText());
    cell.append("  -  ");
    cell.append(subnet.LastHost().DecimalText());
    return cell.text();
}

void forEachRow(const TIPAddSubnet& subnet, const RowSink& row)
{
    // A cursor over the subnets: the model's address with its subnet bits
    // cleared lies in subnet 0, and every step of one subnet's size moves it
    // to the next. The address gives the cursor the model's class, and the
    // model's bits fit that class, so setting them switches nothing.
    TIPAddSubnet cursor;
    cursor.SetAddress(subnet.GetAddress() & ~subnet.RangeMask().GetAddress());
    cursor.SetSubnetBits(subnet.SubnetBits());

    const uint32_t step = uint32_t(1) << (32 - cursor.NetworkBits() - cursor.SubnetBits());
    const int32_t last = lastListedSubnet(cursor);
    for (int32_t number = 0; number <= last; ++number) {
        row(number, numberText(number), hostRangeText(cursor));
        // The first octet is at most 223, so one step past the last subnet
        // reaches 224.0.0.0 at most and never wraps.
        cursor.SetAddress(cursor.GetAddress() + step);
    }
}

} // namespace subnettable
