#pragma once

#include "cli/Report.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

// Input that the command cannot take. The message names the token and what
// was expected; the program prints it as one line on standard error, writes
// nothing on standard output and exits with status 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A token as a message shows it, so that the message stays one line of
// text: control characters and bytes that are no UTF-8 as escapes (\n, \t,
// \x00), and at most `characters` characters, then "...".
std::string shownToken(std::string_view token, size_t characters = 80);

// "'TOKEN': expected WHAT".
[[noreturn]] void throwBadToken(std::string_view token, const std::string& expected);
// "WHERE: 'TOKEN': expected WHAT", WHERE naming the line the token came
// from ("standard input, line 3"); without one the same as throwBadToken.
[[noreturn]] void throwBadToken(const std::string& where, std::string_view token,
                                const std::string& expected);

// The subcommand the command line chose: its output format and what it does.
// Run returns the exit status (cidr --contains answers with it).
struct Command
{
    // The command the line names (its first argument). Only that command's
    // options are made: making all of every command's would cost a short
    // call more than its answer does.
    std::string named;
    bool fills(const CLI::App& command) const;

    Format format = Format::Text;
    std::string formatFlag; // the option that chose the format, if any
    std::function<int(Report&)> run;
};

// --json and --csv on every command; --tsv only where the window has a table.
void addFormatOptions(CLI::App& command, Command& chosen, bool windowTable);

// A --limit N option: how many rows a listing may have at most.
void addLimitOption(CLI::App& command, std::string& limit);
// The --limit value read, or "no limit" (the largest count).
uint64_t readLimit(const std::string& limit);

void addCidrCommand(CLI::App& app, Command& chosen);
void addSubnetCommand(CLI::App& app, Command& chosen);
void addSupernetCommand(CLI::App& app, Command& chosen);
void addRadixCommand(CLI::App& app, Command& chosen);
void addLatencyCommand(CLI::App& app, Command& chosen);
void addPlanCommand(CLI::App& app, Command& chosen);
