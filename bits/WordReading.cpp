#include "bits/WordReading.h"

#include "bits/WordViews.h"
#include "core/Errors.h"
#include "core/Text.h"
#include "ipaddress/AddressText.h"

#include <vector>

namespace {

// The bits of a decimal number past 2^128, which nobody needs counted.
constexpr unsigned BeyondCounting = ~0u;

std::string quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

[[noreturn]] void refuse(std::string_view text, const std::string& why)
{
    throw EZentrixError(quoted(text) + why);
}

// The message for a value of `bits` bits that a `width`-bit word cannot hold.
[[noreturn]] void refuseWidth(std::string_view text, unsigned bits, unsigned width, bool asSigned)
{
    const unsigned needed = narrowestWordWidth(bits);
    const char* reading = asSigned ? " as a signed number" : "";
    if (needed == 0)
        refuse(text, " needs " + (bits == BeyondCounting ? "more than 128" : std::to_string(bits)) +
                         " bits" + reading + ": more than the widest word, 128 bits");
    refuse(text, " needs a " + std::to_string(needed) + "-bit word" + reading + ": " +
                     std::to_string(width) + " bits are too few");
}

// The word of the width asked for, or of the default width for `bits` bits.
unsigned wordWidth(std::string_view text, const WordSpec& spec, unsigned bits, bool asSigned,
                   unsigned defaultWidth = 0)
{
    const unsigned width = spec.width != 0     ? spec.width
                           : defaultWidth != 0 ? defaultWidth
                                               : defaultWordWidth(bits);
    if (width == 0 || bits > width)
        refuseWidth(text, bits, width, asSigned);
    return width;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

bool isSeparator(char c)
{
    return c == '_' || c == '\'' || c == ' ';
}

const char* radixName(unsigned radix)
{
    return radix == 16 ? "hexadecimal" : radix == 8 ? "octal" : radix == 2 ? "binary" : "decimal";
}

struct Magnitude
{
    Uint128 value;
    unsigned bits = 0; // the bits the digits need
};

// Digits of the radix, with separators between them.
Magnitude readDigits(std::string_view whole, std::string_view digits, unsigned radix)
{
    if (digits.empty() || isSeparator(digits.front()) || isSeparator(digits.back()))
        refuse(whole, std::string(": expected ") + radixName(radix) + " digits" +
                          (digits.empty() ? "" : ", with '_', ''' or ' ' only between them"));
    const unsigned bitsPerDigit = radix == 16 ? 4 : radix == 8 ? 3 : radix == 2 ? 1 : 0;
    Magnitude magnitude;
    // Decimal digits go in nine at a time, as many as a 32-bit part holds.
    static constexpr uint32_t powersOfTen[] = {1,      10,      100,      1000,      10000,
                                               100000, 1000000, 10000000, 100000000, 1000000000};
    uint32_t chunk = 0;
    unsigned chunkDigits = 0;
    bool beyond = false;
    const auto addChunk = [&] {
        if (!beyond && !wordmath::mulAdd(magnitude.value, powersOfTen[chunkDigits], chunk))
            beyond = true;
        chunk = 0;
        chunkDigits = 0;
    };
    for (char c : digits) {
        if (isSeparator(c))
            continue;
        const int value = digitValue(c);
        if (value >= int(radix))
            refuse(whole, ": '" + std::string(1, c) + "' is not a " + radixName(radix) + " digit");
        if (bitsPerDigit == 0) {
            chunk = chunk * 10 + uint32_t(value);
            if (++chunkDigits == 9)
                addChunk();
            continue;
        }
        // The other radixes write bits: they are counted from the first one.
        if (magnitude.bits != 0 || value != 0)
            magnitude.bits += magnitude.bits == 0 ? bitLength(unsigned(value)) : bitsPerDigit;
        if (magnitude.bits <= MaxWordWidth)
            magnitude.value = (magnitude.value << bitsPerDigit) | Uint128(unsigned(value));
    }
    if (bitsPerDigit == 0) {
        addChunk();
        magnitude.bits = beyond ? BeyondCounting : bitLength(magnitude.value);
    }
    return magnitude;
}

ReadWord readInteger(std::string_view whole, std::string_view text, const WordSpec& spec)
{
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+')
        text.remove_prefix(1);
    unsigned radix = 10;
    InputForm form = InputForm::Decimal;
    if (text.size() >= 2 && text[0] == '0') {
        const char prefix = char(text[1] | 0x20);
        if (prefix == 'x' || prefix == 'o' || prefix == 'b') {
            radix = prefix == 'x' ? 16 : prefix == 'o' ? 8 : 2;
            form = prefix == 'x'   ? InputForm::Hexadecimal
                   : prefix == 'o' ? InputForm::Octal
                                   : InputForm::Binary;
            text.remove_prefix(2);
        }
    }
    const Magnitude magnitude = readDigits(whole, text, radix);
    if (negative && !magnitude.value.isZero() && !spec.isSigned)
        refuse(whole, " is negative: only a signed word holds it (" + spec.signedSwitch + ")");
    // A decimal number is a number, and a signed word holds it with its
    // sign; the other radixes write the bits themselves, as C's hexadecimal
    // literals do (0xFF is -1 in a signed byte).
    const bool asSigned = spec.isSigned && (negative || radix == 10);
    const unsigned bits = magnitude.bits > MaxWordWidth ? magnitude.bits
                          : asSigned ? wordmath::signedBits(negative, magnitude.value)
                                     : wordmath::unsignedBits(magnitude.value);
    ReadWord read;
    read.form = form;
    read.word.width = wordWidth(whole, spec, bits, asSigned);
    read.word.isSigned = spec.isSigned;
    read.word.bits = negative ? negated(magnitude.value, read.word.width) : magnitude.value;
    return read;
}

// The bytes between single quotes, with C's simple escapes and \xHH.
std::vector<unsigned char> readCharacters(std::string_view whole)
{
    std::string_view text = whole;
    if (text.size() < 2 || text.back() != '\'')
        refuse(whole, ": characters end with '");
    text = text.substr(1, text.size() - 2);
    std::vector<unsigned char> bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\'')
            refuse(whole, ": a ' among the characters is written \\'");
        if (c != '\\') {
            bytes.push_back((unsigned char)c);
            continue;
        }
        if (++i == text.size())
            refuse(whole, ": '\\' ends the characters");
        static const char simple[] = "n\nt\tr\r0\0a\ab\bf\fv\v\\\\''\"\"";
        bool known = false;
        for (size_t k = 0; k + 1 < sizeof simple; k += 2)
            if (text[i] == simple[k]) {
                bytes.push_back((unsigned char)simple[k + 1]);
                known = true;
                break;
            }
        if (known)
            continue;
        if (text[i] != 'x' || i + 1 >= text.size() || digitValue(text[i + 1]) > 15)
            refuse(whole, ": '\\" + std::string(1, text[i]) +
                              "' is no escape (\\n \\t \\r \\0 \\a \\b \\f \\v \\\\ \\' \\\" "
                              "\\xHH)");
        unsigned value = unsigned(digitValue(text[++i]));
        if (i + 1 < text.size() && digitValue(text[i + 1]) <= 15)
            value = value * 16 + unsigned(digitValue(text[++i]));
        bytes.push_back((unsigned char)value);
    }
    if (bytes.empty())
        refuse(whole, ": no character between the quotes");
    return bytes;
}

ReadWord readCharacterWord(std::string_view text, const WordSpec& spec)
{
    const std::vector<unsigned char> bytes = readCharacters(text);
    ReadWord read;
    read.form = InputForm::Characters;
    read.word.width = wordWidth(text, spec, unsigned(bytes.size() * 8), false);
    read.word.isSigned = spec.isSigned;
    for (unsigned char byte : bytes)
        read.word.bits = (read.word.bits << 8) | Uint128(byte);
    return read;
}

ReadWord readFloatWord(std::string_view text, const WordSpec& spec)
{
    std::optional<FloatFormat> format = spec.floatFormat;
    if (!format)
        format = spec.width == 0 ? FloatFormat::Binary64 : floatFormatOfWidth(spec.width);
    if (!format)
        refuse(text, " is a float: it needs a word of 16, 32 or 64 bits, not " +
                         std::to_string(spec.width));
    const FloatLayout& layout = floatLayout(*format);
    if (spec.width != 0 && spec.width != layout.width)
        refuse(text, std::string(" as ") + layout.name + " fills a " +
                         std::to_string(layout.width) + "-bit word, not " +
                         std::to_string(spec.width) + " bits");
    ReadWord read;
    read.form = InputForm::Float;
    read.word.width = layout.width;
    read.word.isSigned = spec.isSigned;
    read.word.bits = encodeFloat(text, *format);
    return read;
}

ReadWord readAddress(std::string_view text, const WordSpec& spec)
{
    ReadWord read;
    read.word.isSigned = spec.isSigned;
    if (text.find(':') != std::string_view::npos) {
        if (!addresstext::readIpv6(text, read.word.bits))
            refuse(text, " is not an IPv6 address: up to eight groups of hexadecimal digits "
                         "joined by ':', with one '::' for a run of zero groups");
        read.form = InputForm::Ipv6;
        read.word.width = wordWidth(text, spec, wordmath::unsignedBits(read.word.bits), false, 128);
        return read;
    }
    uint32_t address = 0;
    if (!addresstext::readIpv4(text, address))
        refuse(text, " is not an IPv4 address: four numbers 0 to 255 joined by '.'");
    read.form = InputForm::Ipv4;
    read.word.bits = address;
    read.word.width = wordWidth(text, spec, wordmath::unsignedBits(address), false);
    return read;
}

bool looksLikeIpv4(std::string_view text)
{
    size_t dots = 0;
    for (char c : text) {
        if (c == '.')
            ++dots;
        else if (c < '0' || c > '9')
            return false;
    }
    return dots >= 2;
}

} // namespace

ReadWord readWord(std::string_view text, const WordSpec& asked)
{
    const std::string_view value = text::trimmed(text);
    if (value.empty())
        throw EZentrixError("No value: type a number, 'characters', an address or a float");
    if (asked.width != 0 && !isWordWidth(asked.width))
        throw EZentrixError("A word has 8, 16, 32, 64 or 128 bits, not " +
                            std::to_string(asked.width));
    // A float format sets the width, for bits written in hexadecimal too.
    WordSpec spec = asked;
    if (spec.floatFormat && spec.width == 0)
        spec.width = floatLayout(*spec.floatFormat).width;
    if (value.front() == '\'')
        return readCharacterWord(value, spec);
    if (value.find(':') != std::string_view::npos || looksLikeIpv4(value))
        return readAddress(value, spec);
    if (spec.floatFormat ? isFloatText(value) : isFractionText(value))
        return readFloatWord(value, spec);
    const char first = value.front();
    if ((first >= '0' && first <= '9') || first == '-' || first == '+')
        return readInteger(value, value, spec);
    refuse(value, " is not a value: type a decimal, 0x hexadecimal, 0o octal or 0b binary "
                  "number, 'characters', an IPv4 or IPv6 address, or a float such as 1.5");
}

namespace {

bool readsBack(const std::string& text, const BitWord& word)
{
    try {
        WordSpec spec;
        spec.width = word.width;
        spec.isSigned = word.isSigned;
        return readWord(text, spec).word.bits == word.bits;
    } catch (const EZentrixError&) {
        return false;
    }
}

std::string characterText(const BitWord& word)
{
    std::string text = "'";
    bool started = false;
    for (int shift = int(word.width) - 8; shift >= 0; shift -= 8) {
        const unsigned byte = unsigned(((word.bits >> unsigned(shift)) & Uint128(0xFF)).lo);
        started = started || byte != 0;
        if (!started)
            continue;
        if (byte < 0x20 || byte > 0x7E)
            return {};
        if (byte == '\'' || byte == '\\')
            text += '\\';
        text += char(byte);
    }
    return started ? text + "'" : std::string();
}

} // namespace

std::string entryText(const BitWord& word, InputForm form)
{
    std::string text;
    switch (form) {
    case InputForm::Decimal:
        return word.isSigned ? signedDecimalText(word) : addresstext::decimalText(word.bits);
    case InputForm::Hexadecimal:
        break;
    case InputForm::Octal:
        return "0o" + octalText(word.bits);
    case InputForm::Binary:
        return "0b" + binaryText(word.bits, word.width);
    case InputForm::Characters:
        text = characterText(word);
        break;
    case InputForm::Ipv4:
        if (word.bits < Uint128::power(32))
            text = addresstext::ipv4Text(uint32_t(word.bits.lo));
        break;
    case InputForm::Ipv6:
        text = addresstext::ipv6Text(word.bits);
        break;
    case InputForm::Float:
        if (const std::optional<FloatFormat> format = floatFormatOfWidth(word.width))
            text = floatValueText(word.bits.lo, *format);
        break;
    }
    if (!text.empty() && readsBack(text, word))
        return text;
    return "0x" + hexText(word.bits, word.width);
}
