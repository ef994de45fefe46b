#include "bits/FloatBits.h"

#include "core/Errors.h"

#include <cfenv>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {

// IEEE 754-2008 table 3.5: binary16 has w = 5 exponent bits and t = 10
// trailing significand bits, binary32 8 and 23, binary64 11 and 52; the bias
// is 2^(w-1) - 1.
constexpr FloatLayout Layouts[] = {
    {FloatFormat::Binary16, "binary16", 16, 5, 10, 15},
    {FloatFormat::Binary32, "binary32", 32, 8, 23, 127},
    {FloatFormat::Binary64, "binary64", 64, 11, 52, 1023},
};

uint64_t lowOnes(unsigned count)
{
    return count >= 64 ? ~uint64_t(0) : (uint64_t(1) << count) - 1;
}

uint64_t infinityBits(const FloatLayout& layout)
{
    return lowOnes(layout.exponentBits) << layout.fractionBits;
}

double doubleOf(uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint64_t bitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Decimal text is read the same in every locale.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

double readRounded(const std::string& text, int mode)
{
    const int saved = std::fegetround();
    std::fesetround(mode);
    const double value = strtod_l(text.c_str(), nullptr, cLocale());
    std::fesetround(saved);
    return value;
}

// The nearest double; from_chars is quicker than strtod, and leaves to it
// only what over- or underflows.
double readNearest(const std::string& text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return readRounded(text, FE_TONEAREST);
    return value;
}

// Where a non-negative finite double falls among the values of a narrower
// format: `units` of its last place, and the rest below that place.
struct Placement
{
    uint64_t units = 0;
    uint64_t rest = 0;
    uint64_t halfUnit = 1;
    int quantum = 0; // the last place is worth 2^quantum
};

Placement place(uint64_t doubleBits, const FloatLayout& layout)
{
    Placement placement;
    const int biased = int(doubleBits >> 52);
    const int emin = 1 - layout.bias;
    const int exponent = biased - 1023;
    placement.quantum = (exponent > emin ? exponent : emin) - int(layout.fractionBits);
    // The value is significand * 2^(exponent - 52).
    const int shift = placement.quantum - (exponent - 52);
    // Below 2^-1022, or below a quarter of the last place: nothing.
    if (biased == 0 || shift > 60)
        return placement;
    const uint64_t significand = (uint64_t(1) << 52) | (doubleBits & lowOnes(52));
    placement.units = significand >> shift;
    placement.rest = significand & lowOnes(unsigned(shift));
    placement.halfUnit = uint64_t(1) << (shift - 1);
    return placement;
}

// A non-negative finite double rounded to the nearest value of a narrower
// format, ties to even; all exponent ones (infinity) when it is too large.
uint64_t roundToFormat(uint64_t doubleBits, const FloatLayout& layout)
{
    Placement placement = place(doubleBits, layout);
    if (placement.units == 0 && placement.rest == 0)
        return 0;
    if (placement.rest > placement.halfUnit ||
        (placement.rest == placement.halfUnit && (placement.units & 1)))
        ++placement.units;
    // Subnormals are counted in units of the smallest one; a carry out of
    // the significand moves into the exponent field by itself.
    const int emin = 1 - layout.bias;
    const uint64_t bits =
        (uint64_t(placement.quantum - (emin - int(layout.fractionBits))) << layout.fractionBits) +
        placement.units;
    return bits >= infinityBits(layout) ? infinityBits(layout) : bits;
}

// Binary16 and binary32 from the decimal text through the nearest double.
// Rounding twice goes wrong only where that double falls exactly halfway
// between two values of the narrower format while the decimal value does
// not: there the double is moved one place towards the decimal value, which
// rounding the double in the other directions tells.
uint64_t narrowFromDecimal(const std::string& text, const FloatLayout& layout)
{
    const double nearest = readNearest(text);
    uint64_t bits = bitsOf(nearest);
    const Placement placement = place(bits, layout);
    if (placement.rest == placement.halfUnit) {
        if (readRounded(text, FE_DOWNWARD) != nearest)
            --bits;
        else if (readRounded(text, FE_UPWARD) != nearest)
            ++bits;
    }
    return roundToFormat(bits, layout);
}

bool equalsIgnoringCase(std::string_view text, const char* word)
{
    if (text.size() != std::strlen(word))
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view withoutSign(std::string_view text)
{
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    return text;
}

bool isSpecial(std::string_view text)
{
    return equalsIgnoringCase(text, "inf") || equalsIgnoringCase(text, "infinity") ||
           equalsIgnoringCase(text, "nan");
}

// Shortest scientific digits ("1.2345e+17") in the form Python's repr gives.
std::string reprText(std::string_view scientific)
{
    const size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (isDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);
    const int point = exponent + 1; // digits before the decimal point
    std::string text;
    if (point <= -4 || point > 16) {
        text = digits.substr(0, 1);
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        const int shown = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "e-" : "e+";
        if (shown < 10)
            text += '0';
        text += std::to_string(shown);
    } else if (point <= 0) {
        text = "0." + std::string(size_t(-point), '0') + digits;
    } else if (size_t(point) >= digits.size()) {
        text = digits + std::string(size_t(point) - digits.size(), '0') + ".0";
    } else {
        text = digits.substr(0, size_t(point)) + '.' + digits.substr(size_t(point));
    }
    return text;
}

// A finite non-negative value of any of the formats, exactly as a double.
double valueOf(uint64_t magnitude, const FloatLayout& layout)
{
    const FloatFields fields = floatFields(magnitude, layout.format);
    if (fields.kind == FloatClass::Zero)
        return 0;
    const uint64_t significand = fields.kind == FloatClass::Normal
                                     ? fields.fraction | uint64_t(1) << layout.fractionBits
                                     : fields.fraction;
    return std::ldexp(double(significand), *fields.exponent - int(layout.fractionBits));
}

// The shortest digits of a finite non-negative value, in scientific form.
std::string shortestScientific(uint64_t bits, const FloatLayout& layout)
{
    char buffer[64];
    if (layout.format == FloatFormat::Binary64) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, doubleOf(bits),
                                       std::chars_format::scientific);
        return std::string(buffer, end.ptr);
    }
    if (layout.format == FloatFormat::Binary32) {
        float value;
        const uint32_t narrow = uint32_t(bits);
        std::memcpy(&value, &narrow, sizeof value);
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
        return std::string(buffer, end.ptr);
    }
    // binary16 has no type of its own: its value is exact as a double, and
    // the fewest digits that read back to the same bits are looked for.
    const double magnitude = valueOf(bits, layout);
    std::string text;
    for (int precision = 0; precision < 17; ++precision) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, precision);
        text.assign(buffer, end.ptr);
        if (narrowFromDecimal(text, layout) == bits)
            break;
    }
    return text;
}

// The magnitude's bits in the format, all exponent ones when too large.
uint64_t roundedMagnitude(const std::string& number, const FloatLayout& layout)
{
    // A double is read correctly rounded as it is.
    return layout.format == FloatFormat::Binary64 ? bitsOf(readNearest(number))
                                                  : narrowFromDecimal(number, layout);
}

} // namespace

const FloatLayout& floatLayout(FloatFormat format)
{
    return Layouts[int(format)];
}

std::optional<FloatFormat> floatFormatOfWidth(unsigned width)
{
    for (const FloatLayout& layout : Layouts)
        if (layout.width == width)
            return layout.format;
    return std::nullopt;
}

const char* floatClassName(FloatClass kind)
{
    switch (kind) {
    case FloatClass::Zero:
        return "zero";
    case FloatClass::Subnormal:
        return "subnormal";
    case FloatClass::Normal:
        return "normal";
    case FloatClass::Infinity:
        return "infinity";
    case FloatClass::NaN:
        break;
    }
    return "NaN";
}

FloatFields floatFields(uint64_t bits, FloatFormat format)
{
    const FloatLayout& layout = floatLayout(format);
    FloatFields fields;
    fields.negative = (bits >> (layout.width - 1)) & 1;
    fields.biasedExponent = unsigned((bits >> layout.fractionBits) & lowOnes(layout.exponentBits));
    fields.fraction = bits & lowOnes(layout.fractionBits);
    const unsigned allOnes = unsigned(lowOnes(layout.exponentBits));
    if (fields.biasedExponent == allOnes) {
        fields.kind = fields.fraction == 0 ? FloatClass::Infinity : FloatClass::NaN;
        if (fields.kind == FloatClass::NaN) {
            const uint64_t quietBit = uint64_t(1) << (layout.fractionBits - 1);
            fields.quiet = (fields.fraction & quietBit) != 0;
            fields.payload = fields.fraction & ~quietBit;
        }
    } else if (fields.biasedExponent == 0) {
        fields.kind = fields.fraction == 0 ? FloatClass::Zero : FloatClass::Subnormal;
        if (fields.kind == FloatClass::Subnormal)
            fields.exponent = 1 - layout.bias;
    } else {
        fields.kind = FloatClass::Normal;
        fields.exponent = int(fields.biasedExponent) - layout.bias;
    }
    return fields;
}

std::string floatValueText(uint64_t bits, FloatFormat format)
{
    const FloatLayout& layout = floatLayout(format);
    const FloatFields fields = floatFields(bits, format);
    const char* sign = fields.negative ? "-" : "";
    switch (fields.kind) {
    case FloatClass::NaN:
        return "nan";
    case FloatClass::Infinity:
        return std::string(sign) + "inf";
    case FloatClass::Zero:
        return std::string(sign) + "0.0";
    case FloatClass::Subnormal:
    case FloatClass::Normal:
        break;
    }
    const uint64_t magnitude = bits & lowOnes(layout.width - 1);
    // A whole number in the range of fixed notation is written whole: the
    // shortest digits of binary16's largest, 65504, are 655e2.
    const double value = valueOf(magnitude, layout);
    if (value < 1e16 && value == std::floor(value)) {
        char buffer[32];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
        return sign + std::string(buffer, end.ptr) + ".0";
    }
    return sign + reprText(shortestScientific(magnitude, layout));
}

bool isFloatText(std::string_view text)
{
    text = withoutSign(text);
    if (isSpecial(text))
        return true;
    size_t i = 0;
    size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const size_t start = i;
        for (; i < text.size() && isDigit(text[i]); ++i) {
        }
        if (i == start)
            return false;
    }
    return i == text.size();
}

bool isFractionText(std::string_view text)
{
    return isFloatText(text) &&
           (isSpecial(withoutSign(text)) || text.find_first_of(".eE") != std::string_view::npos);
}

uint64_t encodeFloat(std::string_view text, FloatFormat format)
{
    const FloatLayout& layout = floatLayout(format);
    if (!isFloatText(text))
        throw EZentrixError("'" + std::string(text) + "' is not a decimal number");
    const bool negative = text[0] == '-';
    const std::string_view unsignedText = withoutSign(text);
    const uint64_t sign = negative ? uint64_t(1) << (layout.width - 1) : 0;
    if (equalsIgnoringCase(unsignedText, "nan"))
        return sign | infinityBits(layout) | uint64_t(1) << (layout.fractionBits - 1);
    if (isSpecial(unsignedText))
        return sign | infinityBits(layout);

    const std::string number(unsignedText);
    const uint64_t magnitude = roundedMagnitude(number, layout);
    if (magnitude == infinityBits(layout)) {
        std::string message =
            "'" + std::string(text) + "' is beyond the largest finite " + layout.name + " number";
        for (const FloatLayout& wider : Layouts)
            if (wider.width > layout.width &&
                roundedMagnitude(number, wider) != infinityBits(wider)) {
                message += std::string("; ") + wider.name + " holds it";
                break;
            }
        throw EZentrixError(message);
    }
    return sign | magnitude;
}
