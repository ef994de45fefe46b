#include "ipaddress/PlanText.h"

#include "core/DelimitedText.h"
#include "core/Text.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <limits>

namespace plantext {

namespace {

const char* const ExpectSize = "a host count (1 or more) or a prefix such as /28";

std::string_view withoutByteOrderMark(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return text;
}

} // namespace

bool checkRequestName(std::string_view name, std::string& expected)
{
    if (text::trimmed(name).empty()) {
        expected = "a name for the request";
        return false;
    }
    if (!utf8::isValid(name)) {
        expected = "a name in UTF-8 text";
        return false;
    }
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            expected = "a name without control characters";
            return false;
        }
    return true;
}

bool readRequestSize(std::string_view text, PlanRequest& request, std::string& expected)
{
    uint64_t value = 0;
    if (!text.empty() && text[0] == '/') {
        if (!text::readNumber(text.substr(1), 128, value)) {
            expected = "a prefix from /0 to /128";
            return false;
        }
        request.byPrefix = true;
        request.prefix = uint8_t(value);
        request.hosts = 0;
        return true;
    }
    if (!text::readNumber(text, std::numeric_limits<uint64_t>::max(), value) || value == 0) {
        expected = ExpectSize;
        return false;
    }
    request.byPrefix = false;
    request.hosts = value;
    request.prefix = 0;
    return true;
}

std::string requestSizeText(const PlanRequest& request)
{
    return request.byPrefix ? "/" + std::to_string(request.prefix) : std::to_string(request.hosts);
}

bool readRequest(const RequestText& text, PlanRequest& request, std::string& expected)
{
    if (!checkRequestName(text.name, expected) || !readRequestSize(text.size, request, expected))
        return false;
    request.name = text.name;
    return true;
}

bool splitNeed(std::string_view text, RequestText& request, std::string& expected)
{
    const size_t equals = text.rfind('=');
    if (equals == std::string_view::npos || equals == 0) {
        expected = "NAME=HOSTS or NAME=/PREFIX";
        return false;
    }
    request.name = std::string(text.substr(0, equals));
    request.size = std::string(text.substr(equals + 1));
    return true;
}

namespace {

using Row = delimited::Row;

bool blankRow(const Row& row)
{
    return std::all_of(row.cells.begin(), row.cells.end(),
                       [](const std::string& cell) { return text::trimmed(cell).empty(); });
}

std::string lowered(std::string_view word)
{
    std::string lower(text::trimmed(word));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

// A header's cell for the size holds no digit, which every size, even a
// mistyped one, does: a first row whose size is a word is a header.
bool looksLikeHeader(const Row& row, size_t sizeColumn)
{
    if (sizeColumn >= row.cells.size())
        return false;
    const std::string& size = row.cells[sizeColumn];
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
    for (size_t i = 0; i < header.cells.size(); ++i) {
        const std::string word = lowered(header.cells[i]);
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
    return column < row.cells.size() ? std::string(text::trimmed(row.cells[column]))
                                     : std::string();
}

// "web servers 20": the last field is the size, the rest the name.
RequestText requestLine(std::string_view line, size_t number)
{
    const std::string_view content = text::trimmed(line);
    size_t split = content.size();
    while (split > 0 && !text::isBlank(content[split - 1]))
        --split;
    if (split == 0)
        return {std::string(content), std::string(), number};
    return {std::string(text::trimmed(content.substr(0, split))),
            std::string(content.substr(split)), number};
}

} // namespace

std::vector<RequestText> readRequestTable(std::string_view content)
{
    content = withoutByteOrderMark(content);
    std::vector<RequestText> requests;
    const char separator = delimited::separatorOf(content);
    if (separator == '\0') {
        for (const Row& row : delimited::splitRows(content, '\0')) {
            const std::string_view line = text::trimmed(row.cells.front());
            if (!line.empty() && line[0] != '#')
                requests.push_back(requestLine(line, row.line));
        }
        return requests;
    }
    std::vector<Row> rows = delimited::splitRows(content, separator);
    rows.erase(std::remove_if(rows.begin(), rows.end(), blankRow), rows.end());
    Columns columns;
    size_t first = 0;
    if (!rows.empty() && looksLikeHeader(rows.front(), columns.size)) {
        columns = namedColumns(rows.front());
        first = 1;
    }
    for (size_t i = first; i < rows.size(); ++i) {
        const std::string_view firstCell = text::trimmed(rows[i].cells.front());
        if (!firstCell.empty() && firstCell[0] == '#')
            continue; // a comment line, as in request lines
        requests.push_back(
            {cellOf(rows[i], columns.name), cellOf(rows[i], columns.size), rows[i].line});
    }
    return requests;
}

bool looksLikePlanFile(std::string_view content)
{
    content = withoutByteOrderMark(content);
    const size_t first = content.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && content[first] == '{';
}

} // namespace plantext
