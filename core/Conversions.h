#pragma once

#include <cstdint>
#include <string>

// The number conversions every calculator shares, with the messages users
// know from them. All raise EZentrixError.
namespace conv {

// "'%s' is not a valid integer value"
std::string invalidIntegerMessage(const std::string& text);

// Reads a signed 32-bit decimal integer: optional leading blanks, an optional
// sign, then digits and nothing else. Anything else, or a value outside the
// 32-bit range, raises "'<text>' is not a valid integer value".
int32_t strToInt(const std::string& text);

// Plain decimal, "-" for negative values, no grouping.
std::string intToStr(int64_t value);

// Upper-case hexadecimal of the 32-bit two's-complement value, padded on the
// left with "0" to at least `minDigits` digits.
std::string intToHex(int32_t value, int minDigits);
// The same of the 64-bit two's-complement value: a negative value gives 16
// digits.
std::string int64ToHex(int64_t value, int minDigits);

// Checked 32-bit arithmetic: raises "Integer overflow" instead of wrapping.
int32_t checkedAdd(int32_t a, int32_t b);
int32_t checkedSub(int32_t a, int32_t b);
int32_t checkedMul(int32_t a, int32_t b);

// Raises "Range check error" unless low <= value <= high.
int64_t rangeChecked(int64_t value, int64_t low, int64_t high);

} // namespace conv
