#pragma once

#include "ipaddress/PlanText.h"

#include <string_view>
#include <vector>

// Requests pasted from a spreadsheet or a text file: rows of cells separated
// by tabs (a spreadsheet's copy) or commas (CSV), quoted cells as both
// write them, with or without a header row. A header row names the columns:
// the name is the column called "name", the size the first of "size",
// "asked", "hosts" and "prefix" (so the planner's own result table pastes
// back as its requests); without one, the first two columns. Text with
// neither tabs nor commas is read as request lines, "NAME SIZE".
//
// Nothing is refused here: a row keeps its cells as they were, and a bad
// size is marked in the table like any typed one.
namespace pastedrows {

std::vector<plantext::RequestText> read(std::string_view text);

} // namespace pastedrows
