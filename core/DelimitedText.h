#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Rows of cells as spreadsheets copy them and CSV files hold them: cells
// separated by one character (a tab or a comma), rows by line ends (CR LF,
// LF or CR); a cell in double quotes may hold separators, line ends and
// doubled quotes (RFC 4180).
namespace delimited {

struct Row
{
    std::vector<std::string> cells;
    size_t line = 0; // where the row starts, from 1
};

std::vector<Row> splitRows(std::string_view text, char separator);

// The separator of a table of text: a tab if every line that holds
// anything holds one, else a comma likewise, else none ('\0'): lines of
// words with a stray comma or tab in one of them are no table.
char separatorOf(std::string_view text);

} // namespace delimited
