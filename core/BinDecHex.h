#pragma once

#include <cstdint>
#include <string>

// Conversions between integers (32 bits for the number-base calculator, 64
// for the command line) and binary or hexadecimal digit text, and the
// grouping of digit text for display. Texts are byte strings, most
// significant digit first; negative values are written as their
// two's-complement bits. Decimal text goes through conv::strToInt and
// conv::intToStr (core/Conversions.h), hexadecimal output through
// conv::intToHex.

// Inserts `separator` every `groupSize` characters counted from the right
// end; never in front of the first character. Every character counts,
// whatever it is. A group size below 1 leaves the text as it is.
std::string GroupDigits(const std::string& text, char separator, int groupSize);

// Decimal digits in groups of three with ",". A leading "-" stands outside
// the groups, so the sign is never followed by a separator ("-123,456").
std::string GroupThousands(const std::string& text);

// Groups of `groupSize` characters separated by one blank.
std::string GroupBy(const std::string& text, int groupSize);

// How the number-base calculator's fields show their digits: decimal in
// thousands (GroupThousands), hexadecimal in pairs of digits ("A BC",
// "FF FF FF FA"), binary in bytes ("00000000 00001111").
std::string GroupHex(const std::string& text);
std::string GroupBin(const std::string& text);

// Each character stands for one bit, the last one for bit 0: a "1" sets its
// bit, anything else leaves it clear but still takes its place. Characters
// beyond the 64th from the right are ignored. An empty text gives 0.
uint64_t BinToBits(const std::string& text);
// The low 32 bits of BinToBits: characters beyond the 32nd from the right
// are ignored, and a "1" in the 32nd gives a negative value.
int32_t BinToInt(const std::string& text);

// Each character stands for four bits, the last one for bits 0 to 3:
// "0"-"9", "a"-"f" and "A"-"F" give their value, anything else 0 but still
// takes its place. Characters beyond the 16th from the right are ignored.
uint64_t HexToBits(const std::string& text);
// The low 32 bits of HexToBits: characters beyond the 8th from the right
// are ignored.
int32_t HexToInt(const std::string& text);

// Exactly `digits` binary digits of the value's low 32 bits (higher
// digits are "0"). A count below 1 gives an empty text.
std::string IntToBin(int32_t value, int digits);
// The same of the 64-bit two's-complement value.
std::string Int64ToBin(int64_t value, int digits);

// The text without any " ", "," or ".".
std::string StripSeparators(const std::string& text);
