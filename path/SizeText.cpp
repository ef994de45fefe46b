#include "path/SizeText.h"

#include <cctype>
#include <numeric>

namespace {

struct TUnit
{
    const char* Symbol;
    uint64_t Bytes;
};

const TUnit units[] = {
    {"B", 1},
    {"KB", 1000},
    {"kB", 1000},
    {"MB", 1000000},
    {"GB", 1000000000},
    {"TB", 1000000000000},
    {"KiB", uint64_t(1) << 10},
    {"MiB", uint64_t(1) << 20},
    {"GiB", uint64_t(1) << 30},
    {"TiB", uint64_t(1) << 40},
};

const char* const howToWrite = "write bytes, or a number with KB, MB, GB or TB (powers of 10) or "
                               "KiB, MiB, GiB or TiB (powers of 2)";

std::string grouped(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

// whole + fraction / 10^decimals, times factor, exactly: false when that is
// no whole number of bytes or more than the largest size.
bool scaled(uint64_t whole, uint64_t fraction, int decimals, uint64_t factor, uint64_t& bytes)
{
    uint64_t power = 1;
    for (int i = 0; i < decimals; ++i)
        power *= 10;
    // fraction * factor / power is whole when fraction is a multiple of
    // power / gcd(power, factor); the product itself may not fit 64 bits.
    const uint64_t common = std::gcd(power, factor);
    if (fraction % (power / common) != 0)
        return false;
    const uint64_t part = fraction / (power / common) * (factor / common);
    uint64_t total = 0;
    if (__builtin_mul_overflow(whole, factor, &total) ||
        __builtin_add_overflow(total, part, &total) || total > maxSizeBytes)
        return false;
    bytes = total;
    return true;
}

} // namespace

uint64_t readSize(const std::string& text, TPathField field)
{
    const auto fail = [&](const std::string& problem) { throw EPathInputError(field, problem); };
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        fail("give a size: " + std::string(howToWrite));
    const std::string written = text.substr(first, text.find_last_not_of(" \t") - first + 1);

    // The number: digits, and at most one point with digits after it.
    size_t at = 0;
    uint64_t whole = 0;
    bool tooLong = false;
    while (at < written.size() && std::isdigit(static_cast<unsigned char>(written[at]))) {
        if (!tooLong)
            whole = whole * 10 + uint64_t(written[at] - '0');
        tooLong = tooLong || whole > maxSizeBytes;
        ++at;
    }
    const bool hasWhole = at > 0;
    uint64_t fraction = 0;
    int decimals = 0;
    if (at < written.size() && written[at] == '.') {
        ++at;
        while (at < written.size() && std::isdigit(static_cast<unsigned char>(written[at]))) {
            if (decimals < 12) {
                fraction = fraction * 10 + uint64_t(written[at] - '0');
                ++decimals;
            } else if (written[at] != '0') {
                fail("'" + written + "' has more decimals than a size in bytes needs");
            }
            ++at;
        }
        if (decimals == 0 && !hasWhole)
            fail("'" + written + "' is not a size: " + howToWrite);
    }
    if (!hasWhole && decimals == 0)
        fail("'" + written + "' is not a size: " + howToWrite);

    const std::string number = written.substr(0, at);
    while (at < written.size() && written[at] == ' ')
        ++at;
    const std::string symbol = written.substr(at);

    uint64_t factor = 0;
    for (const TUnit& unit : units)
        if (symbol == unit.Symbol)
            factor = unit.Bytes;
    if (symbol.empty())
        factor = 1;
    if (factor == 0) {
        if (symbol == "K" || symbol == "k" || symbol == "M" || symbol == "G" || symbol == "T") {
            const std::string upper = symbol == "k" ? "K" : symbol;
            fail("'" + written + "' could mean either unit: write " + number + " " + upper +
                 "B (powers of 10) or " + number + " " + upper + "iB (powers of 2)");
        }
        if (!symbol.empty() && symbol.back() == 'b')
            fail("'" + written + "': sizes are in bytes (B); a small b would be bits");
        fail("'" + written + "' is not a size: " + howToWrite);
    }

    uint64_t bytes = 0;
    if (tooLong || !scaled(whole, fraction, decimals, factor, bytes)) {
        uint64_t wholeBytes = 0;
        if (!tooLong && !__builtin_mul_overflow(whole, factor, &wholeBytes) &&
            wholeBytes <= maxSizeBytes)
            fail("'" + written + "' is not a whole number of bytes");
        fail("'" + written + "' is more than " + grouped(maxSizeBytes) + " bytes");
    }
    return bytes;
}
