#include "ipaddress/PlanTable.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanText.h"

#include <cstdio>

namespace plantable {

namespace {

void setAddress(std::string& cell, AddressFamily family, Uint128 address)
{
    char buffer[addresstext::Ipv6MaxLength + 1];
    char* end = family == AddressFamily::IPv4 ? addresstext::writeIpv4(buffer, uint32_t(address.lo))
                                              : addresstext::writeIpv6(buffer, address);
    cell.assign(buffer, end);
}

void setNetwork(std::string& cell, AddressFamily family, Uint128 network, uint8_t prefix)
{
    setAddress(cell, family, network);
    cell += '/';
    cell += std::to_string(prefix);
}

void setNone(PlacedRow& row, PlacedColumn column, CellStyle style)
{
    row.text[column] = style == CellStyle::Json ? "null" : style == CellStyle::Text ? "-" : "";
    row.number[column] = style == CellStyle::Json;
}

} // namespace

const std::array<ColumnInfo, ColumnCount>& placedColumns()
{
    static const std::array<ColumnInfo, ColumnCount> columns = {{
        {"name", "Name", false},
        {"asked", "Asked", true},
        {"prefix", "Prefix", true},
        {"network", "Network", false},
        {"first", "First", false},
        {"last", "Last", false},
        {"broadcast", "Broadcast", false},
        {"hosts", "Hosts", true},
        {"spare", "Spare", true},
    }};
    return columns;
}

bool shownToPeople(PlacedColumn column, AddressFamily family)
{
    return column != BroadcastColumn || family == AddressFamily::IPv4;
}

void fillPlacedRow(PlacedRow& row, const PlanInput& input, const PlanResult& result,
                   const PlacedBlock& placed, CellStyle style)
{
    const AddressFamily family = result.family;
    const PlanRequest& request = input.requests[placed.request];
    const BlockAddresses block =
        blockAddresses(family, input.options.mode, placed.network, placed.prefix);
    row.number.fill(false);
    row.text[NameColumn] = request.name;
    row.text[AskedColumn] = plantext::requestSizeText(request);
    row.text[PrefixColumn] = (style == CellStyle::Text || style == CellStyle::Tsv ? "/" : "") +
                             std::to_string(placed.prefix);
    row.number[PrefixColumn] = true;
    setNetwork(row.text[NetworkColumn], family, placed.network, placed.prefix);
    setAddress(row.text[FirstColumn], family, block.first);
    setAddress(row.text[LastColumn], family, block.last);
    if (block.hasBroadcast)
        setAddress(row.text[BroadcastColumn], family, block.broadcast);
    else
        setNone(row, BroadcastColumn, style);
    // Counts can pass 2^53 (IPv6), so a count is a JSON string of digits in
    // either family: one key, one type.
    row.text[HostsColumn] = usableCountText(block);
    if (request.byPrefix)
        setNone(row, SpareColumn, style);
    else
        row.text[SpareColumn] = addresstext::decimalText(spareCount(block, request.hosts));
}

std::string percentText(const ParentUse& use)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", use.share * 100);
    const std::string shown = text;
    if (shown == "0.0%" && !use.used.isZero())
        return "<0.1%";
    if (shown == "100.0%" && !use.whole)
        return ">99.9%";
    return shown;
}

std::string usedText(const ParentUse& use, const CidrBlock& parent)
{
    return use.whole ? addresstext::powerOfTwoText(parent.hostBits())
                     : addresstext::decimalText(use.used);
}

} // namespace plantable
