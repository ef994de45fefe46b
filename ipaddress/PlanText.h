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

// Requests one per line, "NAME HOSTS" or "NAME /PREFIX": the last field is
// the size and everything before it the name, so names may hold blanks.
// Blank lines and lines starting with '#' are skipped. On a line that is
// none of these, returns false and says which line and token.
struct LineProblem
{
    size_t line = 0;
    std::string token;
    std::string expected;
};
bool readRequestLines(std::string_view content, std::vector<RequestText>& requests,
                      LineProblem& problem);

// Whether a file holds a plan document rather than request lines: its first
// character other than blanks (and a byte order mark) is '{'.
bool looksLikePlanFile(std::string_view content);

} // namespace plantext
