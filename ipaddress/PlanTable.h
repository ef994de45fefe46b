#pragma once

#include "ipaddress/AddressPlan.h"

#include <array>
#include <string>

// The placed table of a plan, cell by cell, as zentrix-cli plan and the
// planner window both show and export it: one place decides what each cell
// says in each output, so the window's copy and exports are the command
// line's documents.
namespace plantable {

enum PlacedColumn
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

// Who reads the cells: people (aligned text), the window's tab-separated
// grid, CSV, or JSON. The prefix is "/25" for people and the grid, 25 in the
// data formats; a cell without a value (the broadcast of a /31, the spare
// addresses of a prefix request) is "-" for people, empty in the grid and
// CSV, null in JSON.
enum class CellStyle
{
    Text,
    Tsv,
    Csv,
    Json,
};

struct ColumnInfo
{
    const char* key;    // JSON and CSV name
    const char* header; // for people and the grid
    bool rightAligned;  // numbers
};
const std::array<ColumnInfo, ColumnCount>& placedColumns();

// IPv6 has no broadcast: people and the grid see no column of empty cells
// for it; the data formats keep the key, so it has one shape in both
// families.
bool shownToPeople(PlacedColumn column, AddressFamily family);

// The texts of one row, kept from row to row so that their room is reused.
struct PlacedRow
{
    std::array<std::string, ColumnCount> text;
    std::array<bool, ColumnCount> number{}; // a JSON number (or null) rather than a string
};

void fillPlacedRow(PlacedRow& row, const PlanInput& input, const PlanResult& result,
                   const PlacedBlock& placed, CellStyle style);

// A parent's share in use: "20.9%", and never 0.0% or 100.0% for a share
// that is not quite that.
std::string percentText(const ParentUse& use);
// The addresses of a parent in use, in digits (2^128 for all of IPv6).
std::string usedText(const ParentUse& use, const CidrBlock& parent);

} // namespace plantable
