#pragma once

#include "bits/BitWord.h"

#include <string>
#include <vector>

// The views of a word, all from the same bits, as records of named fields
// that the window shows and a command line prints: each field has a key
// for machine-readable output, a caption for people and its text.

// How a field's text is typed where output has types: a number's text is
// digits, with '-' when negative, and may pass 2^53; a flag's is "true" or
// "false".
enum class FieldType
{
    Text,
    Number,
    Flag,
};

struct ViewField
{
    const char* key;     // "unsigned", "hexadecimal", ...
    const char* caption; // "Unsigned decimal", ...
    std::string text;
    FieldType type = FieldType::Text;
};

using ViewFields = std::vector<ViewField>;

// The text of the field of that key, or empty.
std::string fieldText(const ViewFields& fields, const char* key);

// Every view of the word: width, signedness, unsigned and signed decimal,
// hexadecimal, octal, binary by 4 and by 8 bits, the bytes in both orders,
// characters, the IPv4 (32-bit words) or IPv6 address (128-bit words), the
// counts (ones, leading and trailing zeros, parity), the carry, and for
// words of 16, 32 and 64 bits the IEEE-754 float of that width with its
// fields and class (and a NaN's kind and payload).
ViewFields wordViews(const BitWord& word);

// Pieces of the views, for other forms of the same bits.
std::string signedDecimalText(const BitWord& word);
// Every digit of the width: "00FF" for 255 in 16 bits; upper case.
std::string hexText(Uint128 bits, unsigned width);
std::string binaryText(Uint128 bits, unsigned width);
// Without leading zeros.
std::string octalText(Uint128 bits);
// Groups of `size` characters from the right, joined by `separator`.
std::string grouped(const std::string& digits, size_t size, char separator);

// What Copy puts on the clipboard.
enum class CopyForm
{
    Hex,      // 0xC0A80101
    CLiteral, // 0xC0A8'0101: C++14 digit separators every four digits
    PlainHex, // C0A80101
    Binary,   // 11000000101010000000000100000001
    AllViews, // every view as "Caption<TAB>text" lines, CR LF between them
};
std::string copyText(const BitWord& word, CopyForm form);
