#include "cli/PlanOutput.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanTable.h"
#include "ipaddress/PlanText.h"

#include <algorithm>
#include <array>

namespace {

using plantable::ColumnCount;
using plantable::PlacedRow;

plantable::CellStyle cellStyle(Format format)
{
    switch (format) {
    case Format::Json:
        return plantable::CellStyle::Json;
    case Format::Csv:
        return plantable::CellStyle::Csv;
    case Format::Tsv:
        return plantable::CellStyle::Tsv;
    case Format::Text:
        break;
    }
    return plantable::CellStyle::Text;
}

void writeRow(Report& report, const PlacedRow& row, size_t count)
{
    std::array<Cell, ColumnCount> cells;
    for (size_t i = 0; i < count; ++i)
        cells[i] = {row.text[i], row.number[i]};
    report.Row(cells.data());
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
    report.BeginTable(record, "placed", columns);
    for (const PlacedBlock& placed : result.placed) {
        plantable::fillPlacedRow(row, input, result, placed, cellStyle(format));
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

void writeJson(Report& report, const PlanInput& input, const PlanResult& result)
{
    const std::string largest =
        result.largestFree ? "\"" + cidrtext::networkText(*result.largestFree) + "\"" : "null";
    const Record record = {{"",
                            {{"unplaced", "", jsonText(plantable::unplacedJson(input, result))},
                             {"largest_free", "", jsonText(largest)},
                             {"parents", "", jsonText(plantable::parentsJson(input, result))}}}};
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
             Value::Of(plantable::percentText(use) +
                       " in use: " + plantable::usedText(use, parent) + " of " +
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
