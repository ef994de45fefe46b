#include "cli/Command.h"

#include "ipaddress/AddressText.h"

#include <CLI/CLI.hpp>

#include <limits>

void throwBadToken(std::string_view token, const std::string& expected)
{
    throw UsageError("'" + std::string(token) + "': expected " + expected);
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
