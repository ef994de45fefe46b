#include "planner/PlanExport.h"

#include "core/Json.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanTable.h"

namespace planexport {

namespace {

using plantable::ColumnCount;

void appendCsvCell(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string csv(const PlanInput& input, const PlanResult& result)
{
    std::string out;
    for (size_t i = 0; i < ColumnCount; ++i) {
        if (i > 0)
            out += ',';
        out += plantable::placedColumns()[i].key;
    }
    out += '\n';
    plantable::PlacedRow row;
    for (const PlacedBlock& placed : result.placed) {
        plantable::fillPlacedRow(row, input, result, placed, plantable::CellStyle::Csv);
        for (size_t i = 0; i < ColumnCount; ++i) {
            if (i > 0)
                out += ',';
            appendCsvCell(out, row.text[i]);
        }
        out += '\n';
    }
    return out;
}

std::string json(const PlanInput& input, const PlanResult& result)
{
    std::string out = "{\n  \"unplaced\": ";
    out += plantable::unplacedJson(input, result);
    out += ",\n  \"largest_free\": ";
    out += result.largestFree ? "\"" + cidrtext::networkText(*result.largestFree) + "\"" : "null";
    out += ",\n  \"parents\": ";
    out += plantable::parentsJson(input, result);
    out += ",\n  \"placed\": [";
    plantable::PlacedRow row;
    for (size_t r = 0; r < result.placed.size(); ++r) {
        plantable::fillPlacedRow(row, input, result, result.placed[r], plantable::CellStyle::Json);
        out += r == 0 ? "\n    {" : ",\n    {";
        for (size_t i = 0; i < ColumnCount; ++i) {
            if (i > 0)
                out += ", ";
            json::appendString(out, plantable::placedColumns()[i].key);
            out += ": ";
            if (row.number[i])
                out += row.text[i];
            else
                json::appendString(out, row.text[i]);
        }
        out += '}';
    }
    const std::string count = std::to_string(result.placed.size());
    out += result.placed.empty() ? "],\n" : "\n  ],\n";
    out +=
        "  \"listed\": " + count + ",\n  \"total\": \"" + count + "\",\n  \"limited\": false\n}\n";
    return out;
}

} // namespace planexport
