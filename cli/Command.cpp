#include "cli/Command.h"

#include "ipaddress/AddressText.h"

#include <CLI/CLI.hpp>

#include <limits>

namespace {

// The length of the UTF-8 sequence at the start of `text`, or 0 when it is
// none (a stray continuation byte, an overlong form, a surrogate, past
// U+10FFFF, or cut short).
size_t utf8Length(std::string_view text)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's allowed range
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

void appendEscape(std::string& out, unsigned char byte)
{
    static const char digits[] = "0123456789ABCDEF";
    switch (byte) {
    case '\n':
        out += "\\n";
        break;
    case '\t':
        out += "\\t";
        break;
    case '\r':
        out += "\\r";
        break;
    default:
        out += "\\x";
        out += digits[byte >> 4];
        out += digits[byte & 0xF];
    }
}

} // namespace

std::string shownToken(std::string_view token, size_t characters)
{
    std::string shown;
    for (size_t count = 0; !token.empty(); ++count) {
        if (count == characters) {
            shown += "...";
            break;
        }
        const size_t length = utf8Length(token);
        const auto lead = static_cast<unsigned char>(token[0]);
        // C1 controls (U+0080 to U+009F) move the cursor as C0 ones do.
        const bool c1 = length == 2 && lead == 0xC2 && static_cast<unsigned char>(token[1]) < 0xA0;
        if (length == 0 || lead < 0x20 || lead == 0x7F || c1) {
            for (size_t i = 0; i < std::max<size_t>(length, 1); ++i)
                appendEscape(shown, static_cast<unsigned char>(token[i]));
            token.remove_prefix(std::max<size_t>(length, 1));
        } else {
            shown.append(token.substr(0, length));
            token.remove_prefix(length);
        }
    }
    return shown;
}

void throwBadToken(std::string_view token, const std::string& expected)
{
    throw UsageError("'" + shownToken(token) + "': expected " + expected);
}

void throwBadToken(const std::string& where, std::string_view token, const std::string& expected)
{
    if (where.empty())
        throwBadToken(token, expected);
    throw UsageError(where + ": '" + shownToken(token) + "': expected " + expected);
}

void addFormatOptions(CLI::App& command, Command& chosen, bool windowTable)
{
    // The choices exclude each other; that is checked when the command runs,
    // so that the help lists them plainly.
    const auto choose = [&chosen](Format format, const char* flag) {
        return [&chosen, format, flag] {
            if (!chosen.formatFlag.empty() && chosen.formatFlag != flag)
                throw UsageError(std::string(flag) + ": expected only one of --json, --csv" +
                                 " and --tsv, not " + chosen.formatFlag + " as well");
            chosen.format = format;
            chosen.formatFlag = flag;
        };
    };
    command.add_flag_callback("--json", choose(Format::Json, "--json"),
                              "One JSON document with typed values");
    command.add_flag_callback(
        "--csv", choose(Format::Csv, "--csv"),
        "Comma-separated values: a header row of field names, then one row per item");
    if (windowTable)
        command.add_flag_callback(
            "--tsv", choose(Format::Tsv, "--tsv"),
            "The window's own copy of its table: tab-separated, CR LF line ends");
}

void addLimitOption(CLI::App& command, std::string& limit)
{
    command.add_option("--limit", limit, "List at most N rows, and say so when that cuts the list")
        ->type_name("N");
}

uint64_t readLimit(const std::string& limit)
{
    if (limit.empty())
        return std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    if (!addresstext::readNumber(limit, std::numeric_limits<uint64_t>::max(), value))
        throwBadToken(limit, "a number of rows for --limit, 0 or more");
    return value;
}

bool Command::fills(const CLI::App& command) const
{
    return named == command.get_name();
}
