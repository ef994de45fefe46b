#include "subnet/SubnetTable.h"

#include "ipaddress/IPAddress.h"
#include "ipaddress/SubnetTexts.h"

#include <string>

namespace subnettable {

namespace {

QString latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

int32_t lastListedSubnet(const TIPAddSubnet& subnet)
{
    // SubnetBits is at most 22, so the shift stays far inside 32 bits.
    const int32_t last = (int32_t(1) << subnet.SubnetBits()) - 1;
    return last > LastListedLimit ? LastListedLimit : last;
}

QString numberText(int32_t number)
{
    return latin1(subnettexts::subnetNumber(number));
}

QString hostRangeText(const TIPAddSubnet& subnet)
{
    return latin1(subnettexts::hostRange(subnet));
}

void forEachRow(const TIPAddSubnet& subnet, const RowSink& row)
{
    subnettexts::SubnetCursor cursor(subnet);
    const int32_t last = lastListedSubnet(subnet);
    std::string range;
    for (int32_t number = 0; number <= last; ++number) {
        subnettexts::writeHostRange(cursor.Current(), range);
        row(number, numberText(number), latin1(range));
        cursor.Next();
    }
}

} // namespace subnettable
