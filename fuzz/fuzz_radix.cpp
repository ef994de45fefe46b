// Feeds arbitrary bytes and numbers to the radix routines and the number
// conversions, and checks that each pair of routines undoes the other:
// IntToBin/BinToInt, intToHex/HexToInt, intToStr/strToInt and
// GroupDigits/StripSeparators. Texts that a routine refuses must raise its
// own message and nothing else.

#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/Errors.h"
#include "core/QorvelGlobal.h"
#include "fuzz/FuzzSupport.h"

#include <limits>

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == ',' || c == '.';
}

// GroupDigits worked out from the right end, one character at a time.
std::string groupedByHand(const std::string& text, char separator, int groupSize)
{
    if (groupSize < 1)
        return text;
    std::string reversed;
    size_t count = 0;
    for (size_t i = text.size(); i-- > 0;) {
        reversed += text[i];
        if (++count % size_t(groupSize) == 0 && i > 0)
            reversed += separator;
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

// The last `width` characters as the routines read them, padded with "0" on
// the left: bits for a binary text, upper-case digits for a hexadecimal one.
std::string lastDigits(const std::string& text, size_t width, bool hex)
{
    std::string digits(width, '0');
    for (size_t k = 0; k < width && k < text.size(); ++k) {
        char c = text[text.size() - 1 - k];
        if (hex && c >= 'a' && c <= 'f')
            c = char(c - 'a' + 'A');
        const bool digit = hex ? (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') : c == '1';
        digits[width - 1 - k] = digit ? c : '0';
    }
    return digits;
}

// What strToInt must make of a text: false when it must refuse it, otherwise
// true with the canonical decimal form of the value.
bool decimalByHand(const std::string& text, std::string& canonical)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    std::string digits;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        if (!digits.empty() || text[i] != '0')
            digits += text[i];
    }
    if (digits.empty()) {
        canonical = "0";
        return true;
    }
    // Compared as text, so that no value of any length overflows here.
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit))
        return false;
    canonical = (negative ? "-" : "") + digits;
    return true;
}

void checkCharacterTests(unsigned char code)
{
    const char c = char(code);
    const std::string context = "character " + std::to_string(code);
    FUZZ_CHECK(IsBinDigit(c) == (code == '0' || code == '1'), context);
    FUZZ_CHECK(IsDecDigit(c) == (code >= '0' && code <= '9'), context);
    FUZZ_CHECK(IsHexDigit(c) ==
                   (IsDecDigit(c) || (code >= 'A' && code <= 'F') || (code >= 'a' && code <= 'f')),
               context);
    FUZZ_CHECK(IsControlChar(c) == (code < 32), context);
}

// Arbitrary bytes through every routine that takes a text.
void checkText(const std::string& text, int groupSize)
{
    const std::string context = shown(text) + " group " + std::to_string(groupSize);

    for (unsigned char c : text)
        checkCharacterTests(c);

    const std::string stripped = StripSeparators(text);
    std::string kept;
    for (char c : text)
        if (!isSeparator(c))
            kept += c;
    FUZZ_CHECK(stripped == kept, context + " stripped " + shown(stripped));

    for (char separator : {' ', ',', '.', '-'}) {
        const std::string grouped = GroupDigits(text, separator, groupSize);
        FUZZ_CHECK(grouped == groupedByHand(text, separator, groupSize),
                   context + " grouped " + shown(grouped));
        if (isSeparator(separator))
            FUZZ_CHECK(StripSeparators(grouped) == stripped, context + " " + shown(grouped));
    }
    FUZZ_CHECK(GroupBy(text, groupSize) == GroupDigits(text, ' ', groupSize), context);

    // A leading "-" stays outside the groups of three.
    const std::string thousands = GroupThousands(text);
    const bool signedText = !text.empty() && text[0] == '-';
    FUZZ_CHECK(thousands == (signedText ? "-" + groupedByHand(text.substr(1), ',', 3)
                                        : groupedByHand(text, ',', 3)),
               context + " thousands " + shown(thousands));

    const int32_t fromBin = BinToInt(text);
    FUZZ_CHECK(IntToBin(fromBin, 32) == lastDigits(text, 32, false),
               context + " bin " + std::to_string(fromBin));
    const int32_t fromHex = HexToInt(text);
    FUZZ_CHECK(conv::intToHex(fromHex, 8) == lastDigits(text, 8, true),
               context + " hex " + std::to_string(fromHex));

    std::string canonical;
    const bool valid = decimalByHand(text, canonical);
    int32_t fromDec = 0;
    const std::string error = errorOf([&] { fromDec = conv::strToInt(text); });
    if (valid)
        FUZZ_CHECK(error.empty() && conv::intToStr(fromDec) == canonical,
                   context + " read " + std::to_string(fromDec) + " " + error);
    else
        // what() is a C string: a NUL byte in the text ends the message there.
        FUZZ_CHECK(error == conv::invalidIntegerMessage(text).c_str(), context + " error " + error);
}

// One number through every routine that writes one, and back.
void checkNumber(int32_t value, int digits, int minDigits)
{
    const auto bits = static_cast<uint32_t>(value);
    const std::string context = std::to_string(value) + " digits " + std::to_string(digits) +
                                " min " + std::to_string(minDigits);

    const std::string binary = IntToBin(value, digits);
    const size_t width = digits < 1 ? 0 : size_t(digits);
    FUZZ_CHECK(binary.size() == width, context + " " + binary);
    for (size_t k = 0; k < width; ++k) {
        const char expected = k < 32 && (bits >> k & 1) ? '1' : '0';
        FUZZ_CHECK(binary[width - 1 - k] == expected, context + " " + binary);
    }
    const uint32_t low = width >= 32 ? bits : bits & ((uint32_t(1) << width) - 1);
    FUZZ_CHECK(static_cast<uint32_t>(BinToInt(binary)) == low, context + " " + binary);
    FUZZ_CHECK(BinToInt(IntToBin(value, 32)) == value, context);

    const std::string hex = conv::intToHex(value, minDigits);
    size_t significant = 1;
    while (significant < 8 && bits >> (4 * significant) != 0)
        ++significant;
    const size_t hexWidth = minDigits > int(significant) ? size_t(minDigits) : significant;
    FUZZ_CHECK(hex.size() == hexWidth, context + " " + hex);
    FUZZ_CHECK(HexToInt(hex) == value, context + " " + hex);
    std::string lower = hex;
    for (char& c : lower)
        if (c >= 'A' && c <= 'F')
            c = char(c - 'A' + 'a');
    FUZZ_CHECK(HexToInt(lower) == value, context + " " + lower);

    const std::string decimal = conv::intToStr(value);
    FUZZ_CHECK(conv::strToInt(decimal) == value, context + " " + decimal);
    // Leading blanks and an explicit plus sign are read too.
    const std::string padded = (value < 0 ? "  " : "  +") + decimal;
    FUZZ_CHECK(conv::strToInt(padded) == value, context + " " + padded);
    const std::string grouped = GroupThousands(decimal);
    FUZZ_CHECK(StripSeparators(grouped) == decimal, context + " " + grouped);
    FUZZ_CHECK(grouped.find("-,") == std::string::npos, context + " " + grouped);

    // One past either end of the range is refused, not wrapped.
    const int64_t beyond = value < 0
                               ? int64_t(std::numeric_limits<int32_t>::min()) - 1 - (bits & 0xFF)
                               : int64_t(std::numeric_limits<int32_t>::max()) + 1 + (bits & 0xFF);
    const std::string tooLarge = conv::intToStr(beyond);
    FUZZ_CHECK(errorOf([&] { conv::strToInt(tooLarge); }) == conv::invalidIntegerMessage(tooLarge),
               tooLarge);
}

// The checked arithmetic agrees with 64-bit arithmetic, or says why not.
void checkArithmetic(int32_t a, int32_t b)
{
    const std::string context = std::to_string(a) + ", " + std::to_string(b);
    const auto fits = [](int64_t r) {
        return r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max();
    };
    const struct
    {
        int32_t (*op)(int32_t, int32_t);
        int64_t exact;
        const char* name;
    } cases[] = {{conv::checkedAdd, int64_t(a) + b, "add"},
                 {conv::checkedSub, int64_t(a) - b, "sub"},
                 {conv::checkedMul, int64_t(a) * b, "mul"}};
    for (const auto& c : cases) {
        int32_t result = 0;
        const std::string error = errorOf([&] { result = c.op(a, b); });
        if (fits(c.exact))
            FUZZ_CHECK(error.empty() && result == c.exact, std::string(c.name) + " " + context);
        else
            FUZZ_CHECK(error == "Integer overflow", std::string(c.name) + " " + context);
    }
    const int64_t lowEnd = a < b ? a : b, highEnd = a < b ? b : a;
    const int64_t probe = int64_t(a) + b;
    const std::string error = errorOf([&] { conv::rangeChecked(probe, lowEnd, highEnd); });
    FUZZ_CHECK(error == (probe >= lowEnd && probe <= highEnd ? "" : "Range check error"),
               "range " + context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t mode = in.byte();
    // Group sizes from -8 to 39: the display uses 2, 3, 4 and 8, the rest
    // must not hurt either.
    const int groupSize = int(in.byte() % 48) - 8;
    switch (mode % 3) {
    case 0:
        checkText(in.rest(), groupSize);
        break;
    case 1:
        while (!in.atEnd()) {
            const auto value = static_cast<int32_t>(in.u32());
            const int digits = in.byte() % 40 - 2;
            checkNumber(value, digits, in.byte() % 13);
        }
        break;
    default:
        while (!in.atEnd()) {
            const auto a = static_cast<int32_t>(in.u32());
            checkArithmetic(a, static_cast<int32_t>(in.u32()));
        }
    }
    return 0;
}
