#include "ipaddress/PlanText.h"

#include "core/Utf8.h"
#include "ipaddress/AddressText.h"

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
    if (addresstext::trimmed(name).empty()) {
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
        if (!addresstext::readNumber(text.substr(1), 128, value)) {
            expected = "a prefix from /0 to /128";
            return false;
        }
        request.byPrefix = true;
        request.prefix = uint8_t(value);
        request.hosts = 0;
        return true;
    }
    if (!addresstext::readNumber(text, std::numeric_limits<uint64_t>::max(), value) || value == 0) {
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

bool readRequestLines(std::string_view content, std::vector<RequestText>& requests,
                      LineProblem& problem)
{
    content = withoutByteOrderMark(content);
    size_t lineNumber = 0;
    while (!content.empty()) {
        ++lineNumber;
        const size_t end = content.find('\n');
        const std::string_view line = addresstext::trimmed(content.substr(0, end));
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        if (line.empty() || line[0] == '#')
            continue;

        const size_t blank = line.find_last_of(" \t");
        if (blank == std::string_view::npos) {
            problem = {lineNumber, std::string(line),
                       "NAME HOSTS or NAME /PREFIX: a name, then the size"};
            return false;
        }
        RequestText request{std::string(addresstext::trimmed(line.substr(0, blank))),
                            std::string(line.substr(blank + 1)), lineNumber};
        PlanRequest checked;
        std::string expected;
        if (!checkRequestName(request.name, expected)) {
            problem = {lineNumber, request.name, expected};
            return false;
        }
        if (!readRequestSize(request.size, checked, expected)) {
            problem = {lineNumber, request.size, expected + " after the name"};
            return false;
        }
        requests.push_back(std::move(request));
    }
    return true;
}

bool looksLikePlanFile(std::string_view content)
{
    content = withoutByteOrderMark(content);
    const size_t first = content.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && content[first] == '{';
}

} // namespace plantext
