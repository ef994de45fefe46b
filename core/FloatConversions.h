#pragma once

#include <string>

// Floating-point text conversions. They always use "." as the decimal point,
// whatever the user's locale, so labels, tables and the clipboard read the
// same everywhere. Rounding is half away from zero on the exact decimal value
// of the argument (6.25 at one decimal gives 6.3).
namespace conv {

// "'%s' is not a valid floating point value"
std::string invalidFloatMessage(const std::string& text);

// General format: at most `precision` significant digits, trailing zeros and
// a bare decimal point dropped. Fixed notation while the value is at least
// 0.00001 and has no more than `precision` digits before the point, otherwise
// scientific ("1.5E-6", "1.23457E6"). Non-finite values give "NAN", "INF",
// "-INF".
std::string floatToStrGeneral(double value, int precision = 6);

// The shortest general-format text that reads back as exactly the same
// single-precision value (six significant digits, or up to nine when fewer
// do not tell it apart); "NAN" and "INF" as in floatToStrGeneral.
std::string floatToStrShortest(float value);

// Fixed notation with exactly `decimals` digits after the point. The value is
// rounded once, at its `precision`-th significant digit or at the last
// decimal, whichever is coarser; a value with more than `precision` digits
// before the point is written in general scientific form instead.
std::string floatToStrFixed(double value, int decimals, int precision = 7);

// Reads a decimal number: optional blanks around it, an optional sign,
// digits with at most one ".", at least one digit, and an optional exponent
// ("E" or "e", optional sign, digits). Anything else, or a value beyond the
// double range, raises EZentrixError("'<text>' is not a valid floating point
// value").
double strToFloat(const std::string& text);

// As strToFloat, for a value that is kept in single precision: a value beyond
// the single range is refused with the same message instead of becoming
// infinite.
float strToSingle(const std::string& text);

} // namespace conv
