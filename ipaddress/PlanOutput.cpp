#include "ipaddress/PlanOutput.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanTable.h"
#include "ipaddress/PlanText.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

using plantable::ColumnCount;
using plantable::PlacedRow;

plantable::CellStyle cellStyle(Format format)
{
    switch (format) {
    case Format::Json:
    case Format::JsonLines:
        return plantable::CellStyle::Json;
    case Format::Csv:
        return plantable::CellStyle::Csv;
    case Format::Tsv:
        return plantable::CellStyle::Tsv;
    case Format::Text:
    case Format::Plain:
        break;
    }
    return plantable::CellStyle::Text;
}

void writeRow(Report& report, const PlacedRow& row, size_t count)
{
    std::array<Cell, ColumnCount> cells;
    for (size_t i = 0; i < count; ++i)
        cells[i] = {row.text[i], row.number[i]};
    report.row(cells.data());
}

void writePlacedTable(Report& report, const PlanInput& input, const PlanResult& result,
                      const Record& record)
{
    const Format format = report.format();
    std::vector<Column> columns;
    for (size_t i = 0; i < ColumnCount; ++i) {
        const plantable::ColumnInfo& info = plantable::placedColumns()[i];
        const bool shown = plantable::shownToPeople(plantable::PlacedColumn(i), result.family);
        columns.push_back({info.key, info.header, 0, info.rightAligned,
                           shown ? Field::Show::Everywhere : Field::Show::DataOnly});
    }
    PlacedRow row;
    if (format == Format::Text) {
        // Aligned columns need the widest value first.
        for (const PlacedBlock& placed : result.placed) {
            plantable::fillPlacedRow(row, input, result, placed, cellStyle(format));
            for (size_t i = 0; i < ColumnCount; ++i)
                columns[i].width = std::max(columns[i].width, row.text[i].size());
        }
    }
    report.beginTable(record, "placed", columns);
    for (const PlacedBlock& placed : result.placed) {
        plantable::fillPlacedRow(row, input, result, placed, cellStyle(format));
        writeRow(report, row, ColumnCount);
    }
    report.endTable(result.placed.size(), Value::integer(int64_t(result.placed.size())), false,
                    "blocks");
}

Value unplacedValue(const PlanInput& input, const PlanResult& result)
{
    Value list = Value::list();
    for (const UnplacedRequest& unplaced : result.unplaced) {
        const PlanRequest& request = input.requests[unplaced.request];
        list.items.push_back(
            Value::object({{"name", "", Value::of(request.name)},
                           {"asked", "", Value::of(plantext::requestSizeText(request))},
                           {"prefix", "", Value::integer(unplaced.prefix)}}));
    }
    return list;
}

Value parentsValue(const PlanInput& input, const PlanResult& result)
{
    Value list = Value::list();
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        const ParentUse& use = result.parents[p];
        char percent[32];
        std::snprintf(percent, sizeof percent, "%.2f", use.share * 100);
        Value free = Value::list();
        for (size_t f = use.freeBegin; f < use.freeEnd; ++f)
            free.items.push_back(Value::of(cidrtext::networkText(result.free[f])));
        list.items.push_back(Value::object(
            {{"network", "", Value::of(cidrtext::networkText(parent))},
             {"addresses", "", Value::count(addresstext::powerOfTwoText(parent.hostBits()))},
             {"used", "", Value::count(plantable::usedText(use, parent))},
             {"used_percent", "", Value::number(percent)},
             {"free", "", std::move(free)}}));
    }
    return list;
}

void writeJson(Report& report, const PlanInput& input, const PlanResult& result)
{
    const Value largest =
        result.largestFree ? Value::of(cidrtext::networkText(*result.largestFree)) : Value::null();
    const Record record = {{"",
                            {{"unplaced", "", unplacedValue(input, result)},
                             {"largest_free", "", largest},
                             {"parents", "", parentsValue(input, result)}}}};
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
    report.gap();
    report.beginTable(
        {{"Did not fit", {{"largest_free", "Largest free block", Value::of(largest)}}}}, "unplaced",
        columns);
    for (const auto& texts : rows) {
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}};
        report.row(cells);
    }
    report.endTable(rows.size(), Value::integer(int64_t(rows.size())), false, "requests");
}

void writeFreeText(Report& report, const PlanInput& input, const PlanResult& result)
{
    Section summary{"Free", {}};
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        const ParentUse& use = result.parents[p];
        summary.fields.push_back(
            {"", cidrtext::networkText(parent),
             Value::of(plantable::percentText(use) +
                       " in use: " + plantable::usedText(use, parent) + " of " +
                       addresstext::powerOfTwoText(parent.hostBits()) + " addresses")});
    }
    report.gap();
    if (result.free.empty()) {
        report.writeRecord({summary});
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
    report.beginTable({summary}, "free", columns);
    for (const auto& texts : rows) {
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}};
        report.row(cells);
    }
    report.endTable(rows.size(), Value::integer(int64_t(rows.size())), false, "blocks");
}

} // namespace

int writePlan(Report& report, const PlanInput& input, const PlanResult& result)
{
    switch (report.format()) {
    case Format::Json:
        writeJson(report, input, result);
        break;
    case Format::JsonLines:
    case Format::Csv:
    case Format::Tsv:
    case Format::Plain:
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
