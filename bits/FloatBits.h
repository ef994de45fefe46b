#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The IEEE 754-2008 binary interchange formats binary16, binary32 and
// binary64 (section 3.4 for the encoding: sign, biased exponent E, trailing
// significand T; table 3.5 of section 3.6 for the field widths and bias).
enum class FloatFormat
{
    Binary16,
    Binary32,
    Binary64,
};

struct FloatLayout
{
    FloatFormat format;
    const char* name; // "binary32"
    unsigned width;
    unsigned exponentBits;
    unsigned fractionBits; // the trailing significand field T
    int bias;
};

const FloatLayout& floatLayout(FloatFormat format);
// The format a word of this width has, if any (16, 32 or 64 bits).
std::optional<FloatFormat> floatFormatOfWidth(unsigned width);

enum class FloatClass
{
    Zero,
    Subnormal,
    Normal,
    Infinity,
    NaN,
};
// "zero", "subnormal", "normal", "infinity", "NaN".
const char* floatClassName(FloatClass kind);

// The fields of a word read as a float. A NaN is quiet when the first bit of
// its trailing significand is set (IEEE 754-2008, 6.2.1); its payload is the
// rest of that field.
struct FloatFields
{
    bool negative = false;
    unsigned biasedExponent = 0;
    uint64_t fraction = 0;
    FloatClass kind = FloatClass::Zero;
    // The unbiased exponent of a normal number, and emin (1 - bias) for a
    // subnormal one, whose significand is 0.T; nothing for the others.
    std::optional<int> exponent;
    bool quiet = false;   // NaN only
    uint64_t payload = 0; // NaN only
};
FloatFields floatFields(uint64_t bits, FloatFormat format);

// The value as Python's repr() writes a float: the fewest significant digits
// that read back as the same bits of the format, in fixed notation from
// 1e-4 to below 1e16 ("0.1", "1.0") and in exponent notation beyond
// ("1e-05", "6e-08", "1e+16"); "inf", "-inf" and "nan". A whole number below
// 1e16 is written whole ("65504.0", where the fewest digits would be 655e2).
std::string floatValueText(uint64_t bits, FloatFormat format);

// Decimal number text as a float reads it: an optional sign, digits with at
// most one '.', an optional exponent ("e" or "E", optional sign, digits), or
// "inf", "infinity" or "nan" in any case.
bool isFloatText(std::string_view text);
// True when that text has a point, an exponent or is "inf" or "nan": what
// marks a number as a float rather than an integer.
bool isFractionText(std::string_view text);

// The bits of the float nearest to the decimal value of the text (ties to
// even, the rounding IEEE 754-2008 4.3.3 makes the default), with its sign;
// "nan" gives the quiet NaN with no payload. Raises EZentrixError on text
// that is no decimal number, and on a value beyond the format's largest
// finite one, naming a wider format that holds it.
uint64_t encodeFloat(std::string_view text, FloatFormat format);
