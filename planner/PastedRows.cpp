#include "planner/PastedRows.h"

#include "ipaddress/AddressText.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace pastedrows {

namespace {

using Row = std::vector<std::string>;

// Cells separated by `separator`, rows by line ends (CR LF, LF or CR); a
// cell in double quotes may hold separators, line ends and doubled quotes.
std::vector<Row> splitCells(std::string_view text, char separator)
{
    std::vector<Row> rows(1);
    std::string cell;
    bool quoted = false;
    bool cellStarted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                cell += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else
                quoted = false;
        } else if (c == '"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == separator) {
            rows.back().push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.back().push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
            rows.emplace_back();
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    rows.back().push_back(std::move(cell));
    return rows;
}

bool blankRow(const Row& row)
{
    return std::all_of(row.begin(), row.end(),
                       [](const std::string& cell) { return addresstext::trimmed(cell).empty(); });
}

std::string lowered(std::string_view text)
{
    std::string lower(addresstext::trimmed(text));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

// A header's cell for the size holds no digit, which every size, even a
// mistyped one, does: a first row whose size is a word is a header.
bool looksLikeHeader(const Row& row, size_t sizeColumn)
{
    if (sizeColumn >= row.size())
        return false;
    const std::string& size = row[sizeColumn];
    return std::none_of(size.begin(), size.end(),
                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

struct Columns
{
    size_t name = 0;
    size_t size = 1;
};

Columns namedColumns(const Row& header)
{
    Columns columns;
    bool nameFound = false;
    size_t sizeRank = SIZE_MAX;
    static const char* const sizeWords[] = {"size", "asked", "hosts", "prefix"};
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string word = lowered(header[i]);
        if (!nameFound && word == "name") {
            columns.name = i;
            nameFound = true;
        }
        for (size_t rank = 0; rank < std::size(sizeWords) && rank < sizeRank; ++rank) {
            if (word == sizeWords[rank]) {
                columns.size = i;
                sizeRank = rank;
            }
        }
    }
    return columns;
}

std::string cellOf(const Row& row, size_t column)
{
    return column < row.size() ? std::string(addresstext::trimmed(row[column])) : std::string();
}

// "web servers 20": the last field is the size, the rest the name.
plantext::RequestText requestLine(std::string_view line)
{
    const std::string_view text = addresstext::trimmed(line);
    size_t split = text.size();
    while (split > 0 && !addresstext::isBlank(text[split - 1]))
        --split;
    if (split == 0)
        return {std::string(text), std::string(), 0};
    return {std::string(addresstext::trimmed(text.substr(0, split))),
            std::string(text.substr(split)), 0};
}

} // namespace

std::vector<plantext::RequestText> read(std::string_view text)
{
    std::vector<plantext::RequestText> requests;
    const char separator = text.find('\t') != std::string_view::npos  ? '\t'
                           : text.find(',') != std::string_view::npos ? ','
                                                                      : '\0';
    if (separator == '\0') {
        for (const Row& row : splitCells(text, '\0'))
            if (!blankRow(row))
                requests.push_back(requestLine(row.front()));
        return requests;
    }
    std::vector<Row> rows = splitCells(text, separator);
    rows.erase(std::remove_if(rows.begin(), rows.end(), blankRow), rows.end());
    Columns columns;
    size_t first = 0;
    if (!rows.empty() && looksLikeHeader(rows.front(), columns.size)) {
        columns = namedColumns(rows.front());
        first = 1;
    }
    for (size_t i = first; i < rows.size(); ++i)
        requests.push_back({cellOf(rows[i], columns.name), cellOf(rows[i], columns.size), 0});
    return requests;
}

} // namespace pastedrows
