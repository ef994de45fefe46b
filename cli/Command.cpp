#include "cli/Command.h"

#include "core/Text.h"

#include <CLI/CLI.hpp>

#include <limits>

void throwBadToken(std::string_view token, const std::string& expected)
{
    throw UsageError("'" + text::shownToken(token) + "': expected " + expected);
}

void throwBadToken(const std::string& where, std::string_view token, const std::string& expected)
{
    throw BadItem((where.empty() ? std::string() : where + ": ") + "'" + text::shownToken(token) +
                  "': expected " + expected);
}

void addFormatOptions(CLI::App& command, Command& chosen, Formats formats)
{
    // The choices exclude each other; that is checked when the command runs,
    // so that the help lists them plainly.
    const auto choose = [&chosen](Format format, const char* flag) {
        return [&chosen, format, flag] {
            if (!chosen.formatFlag.empty() && chosen.formatFlag != flag)
                throw UsageError(std::string(flag) + ": expected one output format, not " +
                                 chosen.formatFlag + " as well");
            chosen.format = format;
            chosen.formatFlag = flag;
        };
    };
    command.add_flag_callback("--json", choose(Format::Json, "--json"),
                              "One JSON document with typed values");
    command.add_flag_callback("--jsonl", choose(Format::JsonLines, "--jsonl"),
                              "JSON lines: one JSON object per line, written as each item or "
                              "row is done (the rows --csv gives)");
    command.add_flag_callback(
        "--csv", choose(Format::Csv, "--csv"),
        "Comma-separated values: a header row of field names, then one row per item");
    if (formats.windowTable)
        command.add_flag_callback(
            "--tsv", choose(Format::Tsv, "--tsv"),
            "The window's own copy of its table: tab-separated, CR LF line ends");
    if (formats.plainList)
        command.add_flag_callback("--plain", choose(Format::Plain, "--plain"),
                                  "The networks (or names) alone, one per line, no header: "
                                  "for pipes into other tools");
}

void addSkipInvalidOption(CLI::App& command, Command& chosen)
{
    command.add_flag("--skip-invalid", chosen.reading.skip,
                     "Pass over items that are no valid input, naming the first five on "
                     "standard error, instead of stopping at the first");
}

void addVersionFlag(CLI::App& command)
{
    command.set_version_flag("-V,--version", ZENTRIX_VERSION_TEXT, "Show the release and exit");
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
    if (!text::readNumber(limit, std::numeric_limits<uint64_t>::max(), value))
        throwBadToken(limit, "a number of rows for --limit, 0 or more");
    return value;
}

bool Command::fills(const CLI::App& command) const
{
    return named == command.get_name();
}
