// Floating-point text of the latency calculator: reading arbitrary text must
// agree with the C library's correctly rounded strtod or raise the message for
// invalid numbers, and every written number must read back as the value it
// was written from, to the digits it was written with.

#include "core/Errors.h"
#include "core/FloatConversions.h"
#include "fuzz/FuzzSupport.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Blanks, a sign, digits with at most one point and at least one digit, an
// optional exponent, blanks: the only texts that may be read as a number.
bool wellFormed(const std::string& text)
{
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    while (n > i && (text[n - 1] == ' ' || text[n - 1] == '\t'))
        --n;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < n && (isDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
        if (text[i] == '.')
            point = true;
        else
            ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        const size_t exponentStart = i;
        while (i < n && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == n;
}

void checkReading(const std::string& text)
{
    const std::string context = shown(text);
    // what() is a C string: a NUL byte in the text ends the message there.
    const std::string refused = conv::invalidFloatMessage(text).c_str();

    double value = 0;
    const std::string error = errorOf([&] { value = conv::strToFloat(text); });
    if (!wellFormed(text)) {
        FUZZ_CHECK(error == refused, context + " read " + std::to_string(value) + " " + error);
        return;
    }
    // strtod stops at a NUL byte, so a text holding one is not a well-formed number.
    FUZZ_CHECK(std::strlen(text.c_str()) == text.size(), context);

    const double reference = std::strtod(text.c_str(), nullptr);
    if (std::isinf(reference)) {
        FUZZ_CHECK(error == refused, context + " " + error);
        return;
    }
    FUZZ_CHECK(error.empty(), context + " " + error);
    // Below the normal range a reading may flush to zero; nothing in the
    // program tells such values from zero.
    if (std::fabs(reference) < DBL_MIN)
        FUZZ_CHECK(value == reference || value == 0, context + " " + std::to_string(value));
    else
        FUZZ_CHECK(value == reference, context + " " + conv::floatToStrGeneral(value, 17) +
                                           " instead of " + conv::floatToStrGeneral(reference, 17));

    float single = 0;
    const std::string singleError = errorOf([&] { single = conv::strToSingle(text); });
    if (std::fabs(reference) > double(FLT_MAX) && std::isinf(static_cast<float>(reference))) {
        FUZZ_CHECK(singleError == refused, context + " single " + singleError);
    } else {
        FUZZ_CHECK(singleError.empty(), context + " single " + singleError);
        const float expected = std::fabs(reference) > double(FLT_MAX)
                                   ? std::copysign(FLT_MAX, float(reference))
                                   : static_cast<float>(reference);
        FUZZ_CHECK(single == expected || (std::fabs(reference) < FLT_MIN && single == 0),
                   context + " single " + std::to_string(single));
    }
}

// Significant digits of a written number: leading zeros, the sign, the point
// and the exponent do not count.
int significantDigits(const std::string& text)
{
    int count = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'E')
            break;
        if (!isDigit(c))
            continue;
        if (leading && c == '0')
            continue;
        leading = false;
        ++count;
    }
    return count;
}

void checkWriting(double value, int precision, int decimals)
{
    const std::string context = conv::floatToStrGeneral(value, 17) + " precision " +
                                std::to_string(precision) + " decimals " + std::to_string(decimals);
    if (!std::isfinite(value)) {
        const std::string expected = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
        FUZZ_CHECK(conv::floatToStrGeneral(value, precision) == expected, context);
        FUZZ_CHECK(conv::floatToStrFixed(value, decimals, precision) == expected, context);
        return;
    }

    // General format: at most `precision` digits, read back within half a unit
    // of the last of them; 17 digits tell every double apart.
    const std::string general = conv::floatToStrGeneral(value, precision);
    FUZZ_CHECK(wellFormed(general) && general.find(' ') == std::string::npos &&
                   general.find('+') == std::string::npos,
               context + " " + general);
    FUZZ_CHECK(significantDigits(general) <= precision, context + " " + general);
    const bool scientific = general.find('E') != std::string::npos;
    const size_t point = general.find('.');
    if (point != std::string::npos && !scientific)
        FUZZ_CHECK(general.back() != '0', context + " " + general);
    const double unit = std::pow(10.0, 1 - precision);
    double back = 0;
    const std::string error = errorOf([&] { back = conv::strToFloat(general); });
    // Only a value next to the largest double can round up beyond it.
    if (!error.empty()) {
        FUZZ_CHECK(std::fabs(value) > 1e308, context + " " + general + ": " + error);
        return;
    }
    FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * (0.5 * unit + 4 * DBL_EPSILON) ||
                   std::fabs(value) < DBL_MIN,
               context + " " + general);
    if (precision >= 17)
        FUZZ_CHECK(back == value || std::fabs(value) < DBL_MIN, context + " " + general);

    // Fixed format: exactly `decimals` digits after the point, unless the
    // value is too large for `precision` digits.
    const std::string fixed = conv::floatToStrFixed(value, decimals, precision);
    FUZZ_CHECK(wellFormed(fixed), context + " " + fixed);
    if (fixed.find('E') == std::string::npos) {
        const size_t fixedPoint = fixed.find('.');
        const size_t shownDecimals =
            fixedPoint == std::string::npos ? 0 : fixed.size() - fixedPoint - 1;
        FUZZ_CHECK(shownDecimals == size_t(decimals), context + " " + fixed);
        FUZZ_CHECK(fixed[0] != '-' || fixed.find_first_of("123456789") != std::string::npos,
                   context + " negative zero " + fixed);
        const double fixedBack = conv::strToFloat(fixed);
        // One rounding, at the decimals or at the last significant digit.
        const double allowed =
            std::max(0.5 * std::pow(10.0, -decimals), std::fabs(value) * 0.5 * unit);
        FUZZ_CHECK(std::fabs(fixedBack - value) <= allowed + 4 * DBL_EPSILON * std::fabs(value),
                   context + " " + fixed);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    if (in.byte() % 2 == 0) {
        checkReading(in.rest());
        return 0;
    }
    while (!in.atEnd()) {
        const uint64_t bits = uint64_t(in.u32()) << 32 | in.u32();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        const uint8_t shape = in.byte();
        // The program writes 6 and 7 significant digits; any count from 1 to
        // 20 must hold up.
        checkWriting(value, shape % 20 + 1, shape / 20 % 10);
        // The single-precision values the latency calculator keeps.
        if (!(std::fabs(value) > double(FLT_MAX)))
            checkWriting(static_cast<float>(value), 6, 3);
    }
    return 0;
}
