#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The small text routines every reader of people's input uses: blanks,
// decimal numbers, and a token as a message quotes it.
namespace text {

// The blanks around and between the words of a line people write: space,
// tab, carriage return, vertical tab and form feed. (Inline: readers ask it
// of every byte of a million-line list.)
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
std::string_view trimmed(std::string_view text);

// A decimal number without sign or leading zeros, at most maxValue.
bool readNumber(std::string_view text, uint64_t maxValue, uint64_t& value);

// How long a token a message quotes may be, in characters.
constexpr size_t ShownTokenLength = 80;

// A token as a message shows it, so that the message stays one line of
// text: control characters (C0, DEL, C1) and bytes that are no UTF-8 as
// escapes (\n, \t, \r, \x00), and at most `characters` characters, then
// "...".
std::string shownToken(std::string_view token, size_t characters = ShownTokenLength);

} // namespace text
