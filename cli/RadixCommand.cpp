// zentrix-cli radix: the number-base calculator's forms of one value, at a
// width of 8, 16, 32 or 64 bits.

#include "cli/Command.h"

#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/QorvelGlobal.h"
#include "core/Text.h"
#include "ipaddress/AddressText.h"

#include <CLI/CLI.hpp>

namespace {

struct RadixOptions
{
    std::string value;
    std::string width;
};

const char* const ValueForms = "a number: decimal, 0x hexadecimal, 0b binary or a dotted quad, "
                               "optionally negative";

// A value as typed: a sign and a magnitude of at most 64 bits.
struct TypedValue
{
    bool negative = false;
    uint64_t magnitude = 0;
    bool beyond64 = false; // more than any width holds
};

bool allOf(const std::string& digits, bool (*isDigit)(char))
{
    for (char c : digits) {
        if (!isDigit(c))
            return false;
    }
    return !digits.empty();
}

uint64_t readDecimal(const std::string& digits, bool& beyond64)
{
    uint64_t value = 0;
    for (char c : digits) {
        if (__builtin_mul_overflow(value, 10u, &value) ||
            __builtin_add_overflow(value, uint64_t(c - '0'), &value)) {
            beyond64 = true;
            return 0;
        }
    }
    return value;
}

// Binary and hexadecimal digits past the 64 bits are refused rather than
// dropped, as the conversion routines would.
uint64_t readBits(const std::string& digits, int bitsPerDigit, bool& beyond64)
{
    const size_t first = digits.find_first_not_of('0');
    const size_t significant = first == std::string::npos ? 0 : digits.size() - first;
    if (significant * size_t(bitsPerDigit) > 64) {
        beyond64 = true;
        return 0;
    }
    return bitsPerDigit == 1 ? BinToBits(digits) : HexToBits(digits);
}

TypedValue readValue(const std::string& token)
{
    TypedValue typed;
    if (token.find('.') != std::string::npos) {
        uint32_t address = 0;
        if (!addresstext::readIpv4(token, address))
            throwBadToken(token, "a dotted quad: four numbers 0 to 255 joined by '.'");
        typed.magnitude = address;
        return typed;
    }
    std::string text = token;
    typed.negative = !text.empty() && text[0] == '-';
    if (typed.negative)
        text.erase(0, 1);
    const std::string prefix = text.substr(0, 2);
    // Grouped as the forms are shown, so that an output reads back in.
    if (prefix == "0x" || prefix == "0X") {
        const std::string digits = StripSeparators(text.substr(2));
        if (!allOf(digits, IsHexDigit))
            throwBadToken(token, ValueForms);
        typed.magnitude = readBits(digits, 4, typed.beyond64);
    } else if (prefix == "0b" || prefix == "0B") {
        const std::string digits = StripSeparators(text.substr(2));
        if (!allOf(digits, IsBinDigit))
            throwBadToken(token, ValueForms);
        typed.magnitude = readBits(digits, 1, typed.beyond64);
    } else {
        const std::string digits = StripSeparators(text);
        if (!allOf(digits, IsDecDigit))
            throwBadToken(token, ValueForms);
        typed.magnitude = readDecimal(digits, typed.beyond64);
    }
    return typed;
}

bool fits(const TypedValue& typed, unsigned width)
{
    if (typed.beyond64)
        return false;
    // Up to the largest unsigned value, or down to the smallest signed one.
    if (typed.negative)
        return typed.magnitude <= uint64_t(1) << (width - 1);
    return width == 64 || typed.magnitude <= (uint64_t(1) << width) - 1;
}

unsigned readWidth(const std::string& text, const TypedValue& typed)
{
    if (text.empty()) {
        // The window starts at 16 bits; a value that needs more gets more.
        for (unsigned width : {16u, 32u})
            if (fits(typed, width))
                return width;
        return 64;
    }
    uint64_t width = 0;
    if (!text::readNumber(text, 64, width) ||
        (width != 8 && width != 16 && width != 32 && width != 64))
        throwBadToken(text, "a number width for --width: 8, 16, 32 or 64");
    return unsigned(width);
}

std::string dottedText(uint64_t bits, unsigned width)
{
    if (width <= 32)
        return addresstext::ipv4Text(uint32_t(bits));
    return addresstext::ipv4Text(uint32_t(bits >> 32)) + "." +
           addresstext::ipv4Text(uint32_t(bits));
}

int runRadix(Report& report, const RadixOptions& options)
{
    const TypedValue typed = readValue(options.value);
    const unsigned width = readWidth(options.width, typed);
    if (!fits(typed, width)) {
        const std::string lowest = "-" + std::to_string(uint64_t(1) << (width - 1));
        const std::string highest =
            std::to_string(width == 64 ? ~uint64_t(0) : (uint64_t(1) << width) - 1);
        throwBadToken(options.value, "a value that fits " + std::to_string(width) +
                                         " bits: " + lowest + " to " + highest);
    }

    // The width's bits of the value, two's complement when negative.
    const uint64_t mask = width == 64 ? ~uint64_t(0) : (uint64_t(1) << width) - 1;
    const uint64_t bits = (typed.negative ? uint64_t(0) - typed.magnitude : typed.magnitude) & mask;
    const uint64_t signBit = uint64_t(1) << (width - 1);
    // Sign-extended to 64 bits: the same bits read as a signed number.
    const int64_t signedValue = int64_t((bits ^ signBit) - signBit);

    const std::string hex = conv::int64ToHex(int64_t(bits), int(width / 4));
    const std::string binary = Int64ToBin(int64_t(bits), int(width));
    const std::string unsignedText = std::to_string(bits);
    using Show = Field::Show;
    report.writeRecord(
        {{"",
          {
              {"width", "Width", Value::of(std::to_string(width) + " bits"), Show::TextOnly},
              {"width", "", Value::integer(width), Show::DataOnly},
              {"signed", "Signed decimal", Value::of(GroupThousands(conv::intToStr(signedValue))),
               Show::TextOnly},
              // 64-bit values pass what a JSON reader keeps exactly (2^53).
              {"signed", "", Value::count(std::to_string(signedValue)), Show::DataOnly},
              {"unsigned", "Unsigned decimal", Value::of(GroupThousands(unsignedText)),
               Show::TextOnly},
              {"unsigned", "", Value::count(unsignedText), Show::DataOnly},
              {"hexadecimal", "Hexadecimal", Value::of(GroupHex(hex)), Show::TextOnly},
              {"hexadecimal", "", Value::of(hex), Show::DataOnly},
              {"binary", "Binary", Value::of(GroupBin(binary)), Show::TextOnly},
              {"binary", "", Value::of(binary), Show::DataOnly},
              {"dotted", width <= 32 ? "Dotted quad" : "Dotted octets",
               Value::of(dottedText(bits, width))},
          }}});
    return 0;
}

} // namespace

void addRadixCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<RadixOptions>();
    CLI::App* radix = app.add_subcommand(
        "radix", "A number in decimal (signed and unsigned), hexadecimal, binary and as "
                 "dotted octets, at a width of 8, 16, 32 or 64 bits");
    if (!chosen.fills(*radix))
        return;
    radix
        ->add_option("VALUE", options->value,
                     "Decimal (255, -6), 0x hexadecimal (0xFF), 0b binary (0b1010) or a dotted "
                     "quad (192.168.1.1); ',' and ' ' between digits are ignored")
        ->required()
        ->type_name("");
    radix
        ->add_option("--width", options->width,
                     "Number width in bits: 8, 16, 32 or 64 (without it, the narrowest of 16, "
                     "32 and 64 that holds the value)")
        ->type_name("BITS");
    addFormatOptions(*radix, chosen);
    radix->footer(
        "Each form shows the width's bits, grouped as the window groups them: decimal in "
        "thousands, hexadecimal in pairs of digits, binary in bytes. A value takes the width "
        "when it lies between the smallest signed and the largest unsigned value the bits hold; "
        "a negative value shows its two's complement (the window's hexadecimal field shows all "
        "32 bits of a negative value, whatever the width). --json and --csv give the digits "
        "without grouping.\n\n"
        "Examples:\n"
        "  zentrix-cli radix 255\n"
        "  zentrix-cli radix 0xFFFFFFFA --width 32\n"
        "  zentrix-cli radix -6 --width 8\n"
        "  zentrix-cli radix 192.168.1.1 --json");
    radix->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runRadix(report, *options); };
    });
}
