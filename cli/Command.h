#pragma once

#include "cli/ItemInput.h"
#include "output/Report.h"

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

// One item of a list that is no valid input: --skip-invalid passes it over.
class BadItem : public UsageError
{
public:
    using UsageError::UsageError;
};

// "'TOKEN': expected WHAT".
[[noreturn]] void throwBadToken(std::string_view token, const std::string& expected);
// An item that is no valid input: "WHERE: 'TOKEN': expected WHAT", WHERE
// naming the line the token came from ("FILE:3"); without one,
// "'TOKEN': expected WHAT". Raises BadItem.
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
    ItemReading reading;    // how lists are read: --skip-invalid, JSON lines
    std::function<int(Report&)> run;
};

// Which formats a command offers beyond text, --json, --jsonl and --csv.
struct Formats
{
    bool windowTable = false; // --tsv: the window's copy of its table
    bool plainList = false;   // --plain: networks or names alone
};

void addFormatOptions(CLI::App& command, Command& chosen, Formats formats = {});
// --skip-invalid, on a command that reads lists.
void addSkipInvalidOption(CLI::App& command, Command& chosen);
// --version and -V on a command, as on the program.
void addVersionFlag(CLI::App& command);

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
