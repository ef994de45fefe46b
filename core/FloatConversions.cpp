#include "core/FloatConversions.h"

#include "core/Errors.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace conv {

namespace {

// A finite, non-zero magnitude as decimal digits: value = d0.d1d2... x 10^exponent.
// Digits holds no leading or trailing zeros.
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

// The exact decimal expansion of |value| (every double has a finite one of at
// most 767 significant digits). std::to_chars ignores the C locale.
Decimal exactDecimal(double value)
{
    char buffer[1024];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 770);
    const std::string text(buffer, result.ptr);
    const size_t e = text.find('e');
    Decimal d;
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.exponent = std::atoi(text.c_str() + e + 1);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Keeps `keep` significant digits, rounding half away from zero; an empty
// result means the value rounded to zero.
Decimal roundDecimal(Decimal d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return d;
    if (keep < 0)
        return {};
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
            d.digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0)
            ++d.digits[static_cast<size_t>(i)];
        else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Digit at the decimal position 10^power of the rounded value, '0' outside its digits.
char digitAt(const Decimal& d, int power)
{
    const int index = d.exponent - power;
    if (index < 0 || index >= static_cast<int>(d.digits.size()))
        return '0';
    return d.digits[static_cast<size_t>(index)];
}

std::string nonFinite(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string scientific(const Decimal& d, bool negative)
{
    std::string text = negative ? "-" : "";
    text += d.digits[0];
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    text += 'E';
    if (d.exponent < 0)
        text += '-';
    text += std::to_string(std::abs(d.exponent));
    return text;
}

// Plain positional notation of the rounded value with `decimals` digits
// after the point (none and no point when decimals is 0).
std::string positional(const Decimal& d, bool negative, int decimals)
{
    std::string text = negative ? "-" : "";
    if (d.digits.empty() || d.exponent < 0)
        text += '0';
    else
        for (int power = d.exponent; power >= 0; --power)
            text += digitAt(d, power);
    if (decimals > 0) {
        text += '.';
        for (int power = -1; power >= -decimals; --power)
            text += digitAt(d, power);
    }
    return text;
}

} // namespace

std::string invalidFloatMessage(const std::string& text)
{
    return "'" + text + "' is not a valid floating point value";
}

std::string floatToStrGeneral(double value, int precision)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (precision < 1)
        precision = 1;
    if (value == 0)
        return "0";
    const Decimal d = roundDecimal(exactDecimal(value), precision);
    const bool negative = value < 0;
    // Fixed notation from 0.00001 up to `precision` integer digits.
    if (d.exponent >= precision || d.exponent < -5)
        return scientific(d, negative);
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - 1 - d.exponent);
    return positional(d, negative, decimals);
}

std::string floatToStrFixed(double value, int decimals, int precision)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    if (decimals < 0)
        decimals = 0;
    if (precision < 1)
        precision = 1;
    Decimal d;
    if (value != 0) {
        const Decimal exact = exactDecimal(value);
        // One rounding, at the coarser of the two positions.
        const int lastPower = std::max(exact.exponent - precision + 1, -decimals);
        d = roundDecimal(exact, exact.exponent - lastPower + 1);
    }
    const bool negative = value < 0 && !d.digits.empty();
    if (!d.digits.empty() && d.exponent >= precision)
        return scientific(roundDecimal(d, precision), negative);
    return positional(d, negative, decimals);
}

double strToFloat(const std::string& text)
{
    const auto invalid = [&text] { return EZentrixError(invalidFloatMessage(text)); };
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos)
        throw invalid();
    std::string number = text.substr(begin, end - begin + 1);
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.erase(0, 1);
    }

    // Validate the whole grammar first: std::from_chars would stop quietly at
    // the first character it does not understand.
    const size_t mantissaEnd = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, mantissaEnd);
    const size_t point = mantissa.find('.');
    const std::string integerPart = mantissa.substr(0, point);
    const std::string fractionPart = point == std::string::npos ? "" : mantissa.substr(point + 1);
    const auto allDigits = [](const std::string& s) {
        return s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (integerPart.empty() && fractionPart.empty())
        throw invalid();
    if (!allDigits(integerPart) || !allDigits(fractionPart))
        throw invalid();
    long exponent = 0;
    if (mantissaEnd != std::string::npos) {
        std::string digits = number.substr(mantissaEnd + 1);
        bool negativeExponent = false;
        if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
            negativeExponent = digits[0] == '-';
            digits.erase(0, 1);
        }
        if (digits.empty() || !allDigits(digits))
            throw invalid();
        for (const char c : digits)
            if (exponent < 100000)
                exponent = exponent * 10 + (c - '0');
        if (negativeExponent)
            exponent = -exponent;
    }

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range: a tiny value is a zero, a huge one is refused. The
        // power of ten of the leading digit tells them apart.
        const size_t lead = integerPart.find_first_not_of('0');
        const long power = lead != std::string::npos
                               ? static_cast<long>(integerPart.size() - lead) - 1
                               : -static_cast<long>(fractionPart.find_first_not_of('0')) - 1;
        if (power + exponent > 0)
            throw invalid();
        value = 0;
    } else if (result.ec != std::errc() || result.ptr != number.data() + number.size()) {
        throw invalid();
    }
    return negative ? -value : value;
}

float strToSingle(const std::string& text)
{
    const double value = strToFloat(text);
    // Halfway above the largest single rounds to infinity; below it, to FLT_MAX.
    constexpr double roundsToInfinity = 0x1.ffffffp127;
    if (std::fabs(value) >= roundsToInfinity)
        throw EZentrixError(invalidFloatMessage(text));
    if (std::fabs(value) > FLT_MAX)
        return value < 0 ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(value);
}

std::string floatToStrShortest(float value)
{
    std::string text = floatToStrGeneral(value);
    // Nine digits tell any two single-precision values apart.
    if (std::isfinite(value)) {
        for (int digits = 7; digits <= 9 && strToSingle(text) != value; ++digits)
            text = floatToStrGeneral(value, digits);
    }
    return text;
}

} // namespace conv
