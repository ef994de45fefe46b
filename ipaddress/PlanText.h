#pragma once

#include "ipaddress/PlanRules.h"

#include <string>
#include <string_view>
#include <vector>

// The text forms of a plan: requests as people type them ("sales 100",
// "lab /28", "sales=100"), and the addresses and networks of a result.
// Readers set `expected` to what the text should have been, for a message
// that names the text.
namespace plantext {

// A request as typed: its name and size ("100" or "/28"), and the line of
// the file it came from (0 when it came from no file).
struct RequestText
{
    std::string name;
    std::string size;
    size_t line = 0;
};

// A parent network as typed, with its line likewise.
struct ParentText
{
    std::string text;
    size_t line = 0;
};

// A name: some text other than blanks, UTF-8, without control characters.
bool checkRequestName(std::string_view name, std::string& expected);

// A host count ("100", 1 or more) or a prefix ("/28", 0 to 128; the
// plan's family narrows it later).
bool readRequestSize(std::string_view text, PlanRequest& request, std::string& expected);
// "100" or "/28": the size as asked.
std::string requestSizeText(const PlanRequest& request);

// A request's name and size read together.
bool readRequest(const RequestText& text, PlanRequest& request, std::string& expected);

// NAME=HOSTS or NAME=/PREFIX, split at the last '=' (a name may hold one).
bool splitNeed(std::string_view text, RequestText& request, std::string& expected);

// Requests as people paste them or keep them in a file, each with the line
// it starts on: rows of cells separated by tabs (a spreadsheet's copy) or
// commas (CSV), quoted as both write them, with or without a header row; or,
// in text with neither tabs nor commas, lines "NAME HOSTS" or "NAME /PREFIX"
// (the last field is the size and everything before it the name, so names
// may hold blanks; lines starting with '#' are comments). A header row
// names the columns: the name is the column called "name", the size the
// first of "size", "asked", "hosts" and "prefix" (so the planner's own
// result table reads back as its requests); without one, the first two
// columns. Blank rows are skipped; nothing else is refused here: a row
// keeps its cells as they were, for readRequest to judge.
std::vector<RequestText> readRequestTable(std::string_view text);

// Whether a file holds a plan document rather than request lines: its first
// character other than blanks (and a byte order mark) is '{'.
bool looksLikePlanFile(std::string_view content);

} // namespace plantext
