#include "core/DelimitedText.h"

#include <algorithm>

namespace delimited {

std::vector<Row> splitRows(std::string_view text, char separator)
{
    std::vector<Row> rows(1);
    rows.back().line = 1;
    size_t line = 1;
    std::string cell;
    bool quoted = false;
    bool cellStarted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
                ++line;
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
            rows.back().cells.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.back().cells.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
            rows.push_back({{}, ++line});
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    rows.back().cells.push_back(std::move(cell));
    return rows;
}

char separatorOf(std::string_view text)
{
    for (const char separator : {'\t', ','}) {
        bool every = text.find(separator) != std::string_view::npos;
        for (std::string_view rest = text; every && !rest.empty();) {
            const size_t end = std::min(rest.find('\n'), rest.size());
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            const bool blank = line.find_first_not_of(" \t\r") == std::string_view::npos;
            every = blank || line.find(separator) != std::string_view::npos;
        }
        if (every)
            return separator;
    }
    return '\0';
}

} // namespace delimited
