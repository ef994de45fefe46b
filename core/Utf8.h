#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 as RFC 3629 has it: no overlong forms, no surrogates, nothing above
// U+10FFFF. Names and files from users are checked with it before they are
// written anywhere that must stay valid text (JSON above all).
namespace utf8 {

// Decodes the code point at `pos` and moves `pos` past it; false (and `pos`
// unmoved) on a byte sequence that is not UTF-8.
bool decode(std::string_view text, size_t& pos, uint32_t& codePoint);

bool isValid(std::string_view text);

// The length of the UTF-8 sequence at the start of `text`, or 0 when it is
// none (a stray continuation byte, an overlong form, a surrogate, past
// U+10FFFF, or cut short).
size_t sequenceLength(std::string_view text);

// Appends a code point below U+110000 that is not a surrogate.
void append(std::string& out, uint32_t codePoint);

// A continuation byte (10xxxxxx): counting the bytes that are not gives the
// number of code points, as columns are counted.
constexpr bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace utf8
