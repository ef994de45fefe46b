#pragma once

#include "output/Value.h"

#include <string>
#include <string_view>

// JSON as every part of Zentrix writes it: the documents of zentrix-cli,
// the planner's exports and the plan files. One escaper and one layout:
namespace jsontext {

// The quoted, escaped form of `text` (RFC 8259), appended to `out`. Bytes
// that are no UTF-8 (a name read from a file) become U+FFFD, so the result
// is always valid JSON.
void appendString(std::string& out, std::string_view text);

// Whether `text` goes into JSON as it stands between quotes: printable
// ASCII without '"' or '\' (addresses, numbers, keys).
bool plain(std::string_view text);

// A value at `indent` blanks: an object whose members are all plain values
// takes one line, "{"a": 1, "b": "x"}"; any other object takes a line per
// member, and a list a line per item, two blanks deeper. `oneLine` writes
// everything on one line (JSON lines).
void appendValue(std::string& out, const Value& value, unsigned indent = 0, bool oneLine = false);

} // namespace jsontext
