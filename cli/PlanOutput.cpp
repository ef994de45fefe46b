#include "cli/PlanOutput.h"

#include "core/Json.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

enum PlacedField
{
    NameColumn,
    AskedColumn,
    PrefixColumn,
    NetworkColumn,
    FirstColumn,
    LastColumn,
    BroadcastColumn,
    HostsColumn,
    SpareColumn,
    ColumnCount,
};

// The texts of one table row, kept from row to row so that their room is
// reused.
struct RowTexts
{
    std::array<std::string, ColumnCount> text;
    std::array<bool, ColumnCount> number{};
};

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

// What a cell without a value shows: nothing in CSV and TSV, a dash for
// people, null in JSON.
void setNone(RowTexts& row, PlacedField column, Format format)
{
    row.text[column] = format == Format::Json ? "null" : format == Format::Text ? "-" : "";
    row.number[column] = format == Format::Json;
}

// Counts can pass 2^53 (IPv6), so a count is a JSON string of digits in
// either family: one key, one type.
void setCount(RowTexts& row, PlacedField column, std::string digits)
{
    row.text[column] = std::move(digits);
    row.number[column] = false;
}

void fillPlacedRow(RowTexts& row, const PlanInput& input, const PlanResult& result,
                   const PlacedBlock& placed, Format format)
{
    const AddressFamily family = result.family;
    const PlanRequest& request = input.requests[placed.request];
    const BlockAddresses block =
        blockAddresses(family, input.options.mode, placed.network, placed.prefix);
    row.number.fill(false);
    row.text[NameColumn] = request.name;
    row.text[AskedColumn] = plantext::requestSizeText(request);
    row.text[PrefixColumn] = (format == Format::Text || format == Format::Tsv ? "/" : "") +
                             std::to_string(placed.prefix);
    row.number[PrefixColumn] = true;
    setNetwork(row.text[NetworkColumn], family, placed.network, placed.prefix);
    setAddress(row.text[FirstColumn], family, block.first);
    setAddress(row.text[LastColumn], family, block.last);
    if (block.hasBroadcast)
        setAddress(row.text[BroadcastColumn], family, block.broadcast);
    else
        setNone(row, BroadcastColumn, format);
    setCount(row, HostsColumn, usableCountText(block));
    if (request.byPrefix)
        setNone(row, SpareColumn, format);
    else
        setCount(row, SpareColumn, addresstext::decimalText(spareCount(block, request.hosts)));
}

void writeRow(Report& report, const RowTexts& row, size_t count)
{
    std::array<Cell, ColumnCount> cells;
    for (size_t i = 0; i < count; ++i)
        cells[i] = {row.text[i], row.number[i]};
    report.Row(cells.data());
}

// "20.9%", and never 0.0% or 100.0% for a share that is not quite that.
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

std::string countText(Uint128 count, bool whole, unsigned hostBits)
{
    return whole ? addresstext::powerOfTwoText(hostBits) : addresstext::decimalText(count);
}

void writePlacedTable(Report& report, const PlanInput& input, const PlanResult& result,
                      const Record& record)
{
    const Format format = report.format();
    // IPv6 has no broadcast: people see no column of dashes for it.
    const Field::Show broadcastShow =
        result.family == AddressFamily::IPv6 ? Field::Show::DataOnly : Field::Show::Everywhere;
    std::vector<Column> columns = {
        {"name", "Name", 0, false},
        {"asked", "Asked", 0, true},
        {"prefix", "Prefix", 0, true},
        {"network", "Network", 0, false},
        {"first", "First", 0, false},
        {"last", "Last", 0, false},
        {"broadcast", "Broadcast", 0, false, broadcastShow},
        {"hosts", "Hosts", 0, true},
        {"spare", "Spare", 0, true},
    };
    RowTexts row;
    if (format == Format::Text) {
        // Aligned columns need the widest value first.
        for (const PlacedBlock& placed : result.placed) {
            fillPlacedRow(row, input, result, placed, format);
            for (size_t i = 0; i < ColumnCount; ++i)
                columns[i].width = std::max(columns[i].width, row.text[i].size());
        }
    }
    report.BeginTable(record, "placed", columns);
    for (const PlacedBlock& placed : result.placed) {
        fillPlacedRow(row, input, result, placed, format);
        writeRow(report, row, ColumnCount);
    }
    report.EndTable(result.placed.size(), Value::Integer(int64_t(result.placed.size())), false,
                    "blocks");
}

// Report writes an integer's text into a JSON document as it stands; the
// plan's nested lists reach the document that way, written here as JSON.
Value jsonText(std::string json)
{
    return {Value::Kind::Integer, std::move(json), false};
}

std::string jsonCount(const std::string& digits)
{
    std::string quoted;
    json::appendString(quoted, digits);
    return quoted;
}

std::string unplacedJson(const PlanInput& input, const PlanResult& result)
{
    std::string out = "[";
    for (size_t i = 0; i < result.unplaced.size(); ++i) {
        const UnplacedRequest& unplaced = result.unplaced[i];
        const PlanRequest& request = input.requests[unplaced.request];
        out += i == 0 ? "\n    {\"name\": " : ",\n    {\"name\": ";
        json::appendString(out, request.name);
        out += ", \"asked\": ";
        json::appendString(out, plantext::requestSizeText(request));
        out += ", \"prefix\": " + std::to_string(unplaced.prefix) + "}";
    }
    out += result.unplaced.empty() ? "]" : "\n  ]";
    return out;
}

std::string parentsJson(const PlanInput& input, const PlanResult& result)
{
    std::string out = "[";
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        const ParentUse& use = result.parents[p];
        char percent[32];
        std::snprintf(percent, sizeof percent, "%.2f", use.share * 100);
        out += p == 0 ? "\n    {" : ",\n    {";
        out += "\n      \"network\": \"" + cidrtext::networkText(parent) + "\",";
        out +=
            "\n      \"addresses\": " + jsonCount(addresstext::powerOfTwoText(parent.hostBits())) +
            ",";
        out += "\n      \"used\": " + jsonCount(countText(use.used, use.whole, parent.hostBits())) +
               ",";
        out += std::string("\n      \"used_percent\": ") + percent + ",";
        out += "\n      \"free\": [";
        for (size_t f = use.freeBegin; f < use.freeEnd; ++f)
            out += (f == use.freeBegin ? "\n        \"" : ",\n        \"") +
                   cidrtext::networkText(result.free[f]) + "\"";
        out += use.freeBegin == use.freeEnd ? "]\n    }" : "\n      ]\n    }";
    }
    out += input.parents.empty() ? "]" : "\n  ]";
    return out;
}

void writeJson(Report& report, const PlanInput& input, const PlanResult& result)
{
    const std::string largest =
        result.largestFree ? "\"" + cidrtext::networkText(*result.largestFree) + "\"" : "null";
    const Record record = {{"",
                            {{"unplaced", "", jsonText(unplacedJson(input, result))},
                             {"largest_free", "", jsonText(largest)},
                             {"parents", "", jsonText(parentsJson(input, result))}}}};
    writePlacedTable(report, input, result, record);
}

void writeUnplacedText(Report& report, const PlanInput& input, const PlanResult& result)
{
    const std::string largest =
        result.largestFree ? cidrtext::networkText(*result.largestFree) : "none";
    std::vector<Column> columns = {
        {"name", "Name", 0, false}, {"asked", "Asked", 0, true}, {"prefix", "Needs", 0, true}};
    std::vector<std::array<std::string, 3>> rows;
    rows.reserve(result.unplaced.size());
    for (const UnplacedRequest& unplaced : result.unplaced) {
        const PlanRequest& request = input.requests[unplaced.request];
        rows.push_back({request.name, plantext::requestSizeText(request),
                        "/" + std::to_string(unplaced.prefix)});
        for (size_t i = 0; i < 3; ++i)
            columns[i].width = std::max(columns[i].width, rows.back()[i].size());
    }
    report.Gap();
    report.BeginTable(
        {{"Did not fit", {{"largest_free", "Largest free block", Value::Of(largest)}}}}, "unplaced",
        columns);
    for (const auto& texts : rows) {
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}};
        report.Row(cells);
    }
    report.EndTable(rows.size(), Value::Integer(int64_t(rows.size())), false, "requests");
}

void writeFreeText(Report& report, const PlanInput& input, const PlanResult& result)
{
    Section summary{"Free", {}};
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        const ParentUse& use = result.parents[p];
        summary.fields.push_back(
            {"", cidrtext::networkText(parent),
             Value::Of(percentText(use) +
                       " in use: " + countText(use.used, use.whole, parent.hostBits()) + " of " +
                       addresstext::powerOfTwoText(parent.hostBits()) + " addresses")});
    }
    report.Gap();
    if (result.free.empty()) {
        report.WriteRecord({summary});
        return;
    }
    std::vector<Column> columns = {{"parent", "Parent", 0, false},
                                   {"network", "Free block", 0, false},
                                   {"addresses", "Addresses", 0, true}};
    std::vector<std::array<std::string, 3>> rows;
    rows.reserve(result.free.size());
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const std::string parent = cidrtext::networkText(input.parents[p]);
        for (size_t f = result.parents[p].freeBegin; f < result.parents[p].freeEnd; ++f) {
            const CidrBlock& block = result.free[f];
            rows.push_back({parent, cidrtext::networkText(block),
                            addresstext::powerOfTwoText(block.hostBits())});
            for (size_t i = 0; i < 3; ++i)
                columns[i].width = std::max(columns[i].width, rows.back()[i].size());
        }
    }
    report.BeginTable({summary}, "free", columns);
    for (const auto& texts : rows) {
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}};
        report.Row(cells);
    }
    report.EndTable(rows.size(), Value::Integer(int64_t(rows.size())), false, "blocks");
}

} // namespace

int writePlan(Report& report, const PlanInput& input, const PlanResult& result)
{
    switch (report.format()) {
    case Format::Json:
        writeJson(report, input, result);
        break;
    case Format::Csv:
    case Format::Tsv:
        writePlacedTable(report, input, result, {});
        break;
    case Format::Text:
        writePlacedTable(report, input, result, {});
        if (!result.unplaced.empty())
            writeUnplacedText(report, input, result);
        writeFreeText(report, input, result);
        break;
    }
    return result.unplaced.empty() ? 0 : 1;
}
