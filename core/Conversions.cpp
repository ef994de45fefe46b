#include "core/Conversions.h"

#include "core/Errors.h"

#include <cstdio>

namespace conv {

std::string invalidIntegerMessage(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

int32_t strToInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        throw EZentrixError(invalidIntegerMessage(text));

    // Accumulate as a negative number so that -2147483648 fits; a digit
    // string of any length stops as soon as it leaves the range.
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw EZentrixError(invalidIntegerMessage(text));
        value = value * 10 - (c - '0');
        if (value < INT32_MIN || (!negative && value < -int64_t(INT32_MAX)))
            throw EZentrixError(invalidIntegerMessage(text));
    }
    return static_cast<int32_t>(negative ? value : -value);
}

std::string intToStr(int64_t value)
{
    return std::to_string(value);
}

namespace {
std::string hexOfBits(uint64_t bits, int minDigits)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(bits));
    std::string digits(buffer);
    if (minDigits > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return digits;
}
} // namespace

std::string intToHex(int32_t value, int minDigits)
{
    // Only the value's own 32 bits: a negative value is eight digits, not sixteen.
    return hexOfBits(static_cast<uint32_t>(value), minDigits);
}

std::string int64ToHex(int64_t value, int minDigits)
{
    return hexOfBits(static_cast<uint64_t>(value), minDigits);
}

namespace {
[[noreturn]] void overflow()
{
    throw EZentrixError("Integer overflow");
}
} // namespace

int32_t checkedAdd(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        overflow();
    return r;
}

int32_t checkedSub(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        overflow();
    return r;
}

int32_t checkedMul(int32_t a, int32_t b)
{
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        overflow();
    return r;
}

int64_t rangeChecked(int64_t value, int64_t low, int64_t high)
{
    if (value < low || value > high)
        throw EZentrixError("Range check error");
    return value;
}

} // namespace conv
