#include "cli/Cli.h"

#include "cli/Command.h"
#include "cli/HelpFormat.h"
#include "core/Text.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <sstream>

namespace {

const char* const Description =
    "Zentrix's calculators on the command line: the window's classful subnet and supernet "
    "calculator, its number-base calculator and its latency calculator, and classless IPv4 "
    "and IPv6 work the window does not do: the facts of networks, subnets, ranges, "
    "summaries and other operations on lists of networks, and reverse DNS names.";

const char* const Footer =
    "Every command takes --help, and 'man zentrix-cli' describes them all. Output is aligned "
    "text for people; --json gives one JSON document, --jsonl one JSON object per line as "
    "each is done, --csv a table with a header row, and cidr's --plain the networks alone. "
    "Bad input prints one line on standard error, naming what was wrong, and exits with "
    "status 2.";

void printError(const std::string& message)
{
    // Whatever a message quotes, it stays one line.
    std::fprintf(stderr, "zentrix-cli: %s\n", text::shownToken(message, std::string::npos).c_str());
}

std::string commandNames(const CLI::App& app)
{
    std::string names;
    for (const CLI::App* command : app.get_subcommands({})) {
        if (!names.empty())
            names += ", ";
        names += command->get_name();
    }
    return names;
}

// CLI11 reads an argument "[a,b]" given to an option that takes several
// values as the two values a and b, and "[]" as none. Here brackets and
// commas are text like any other, refused where they are no address: such
// arguments go to CLI11 as stand-ins and are put back after parsing.
class ListSyntaxShield
{
public:
    ListSyntaxShield(int argc, const char* const* argv)
    {
        for (int i = 0; i < argc; ++i) {
            std::string arg = argv[i];
            const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
            const size_t value = equals == std::string::npos ? 0 : equals + 1;
            if (i > 0 && arg.size() >= value + 2 && arg[value] == '[' && arg.back() == ']') {
                const std::string standIn =
                    "\x01zentrix-cli argument " + std::to_string(FOriginals.size()) + "\x01";
                FOriginals[standIn] = arg.substr(value);
                arg = arg.substr(0, value) + standIn;
            }
            FArguments.push_back(std::move(arg));
        }
        for (const std::string& arg : FArguments)
            FPointers.push_back(arg.c_str());
    }

    int argc() const { return int(FPointers.size()); }
    const char* const* argv() const { return FPointers.data(); }

    // Puts the arguments back into the options of `app` and of the command
    // chosen, and refuses an option given an empty value.
    void restore(CLI::App& app) const
    {
        std::vector<CLI::App*> apps{&app};
        for (CLI::App* command : app.get_subcommands())
            apps.push_back(command);
        for (CLI::App* command : apps)
            for (CLI::Option* option : command->get_options())
                restore(*option);
    }

private:
    void restore(CLI::Option& option) const
    {
        if (option.count() == 0)
            return;
        std::vector<std::string> values = option.results();
        bool changed = false;
        for (std::string& value : values) {
            if (value.empty() && !option.get_positional() && option.get_type_size() != 0)
                throw UsageError(option.get_name() + ": expected " +
                                 (option.get_type_name().empty() ? std::string("a value")
                                                                 : option.get_type_name()) +
                                 ", not an empty value");
            const auto original = FOriginals.find(value);
            if (original != FOriginals.end()) {
                value = original->second;
                changed = true;
            }
        }
        if (!changed)
            return;
        const bool lists = option.get_allow_extra_args();
        option.clear();
        option.allow_extra_args(false);
        for (std::string& value : values)
            option.add_result(std::move(value));
        option.allow_extra_args(lists);
        option.run_callback();
    }

    std::vector<std::string> FArguments;
    std::vector<const char*> FPointers;
    std::map<std::string, std::string> FOriginals;
};

} // namespace

int runCli(int argc, const char* const* argv, Output& out)
{
    CLI::App app(Description, "zentrix-cli");
    app.formatter(makeHelpFormatter());
    app.footer(Footer);
    addVersionFlag(app);
    app.set_help_flag("-h,--help", "Show this help and exit");
    app.require_subcommand(1);

    Command chosen;
    // A command's name is the line's first argument; help and the version
    // name none.
    if (argc > 1)
        chosen.named = argv[1];
    addSubnetCommand(app, chosen);
    addSupernetCommand(app, chosen);
    addCidrCommand(app, chosen);
    addRadixCommand(app, chosen);
    addLatencyCommand(app, chosen);
    addPlanCommand(app, chosen);
    for (CLI::App* command : app.get_subcommands({})) {
        command->set_help_flag("-h,--help", "Show this help and exit");
        addVersionFlag(*command);
    }

    const ListSyntaxShield shield(argc, argv);
    try {
        app.parse(shield.argc(), shield.argv());
        shield.restore(app);
    } catch (const CLI::ParseError& e) {
        std::ostringstream shown, failure;
        if (app.exit(e, shown, failure) == 0) {
            // --help and --version: their output can fail as any other.
            try {
                out.write(shown.str());
                out.flush();
            } catch (const std::exception& writing) {
                out.discard();
                printError(writing.what());
                return 2;
            }
            return 0;
        }
        // A missing or mistyped command reads to CLI11 as a missing
        // subcommand or a stray argument: name what was typed instead.
        const std::string first = argc > 1 ? argv[1] : "";
        if (app.get_subcommands().empty() && (first.empty() || first[0] != '-'))
            printError((first.empty() ? std::string() : "'" + text::shownToken(first) + "': ") +
                       "expected a command: " + commandNames(app) + " (see --help)");
        else
            printError(e.what());
        return 2;
    } catch (const UsageError& e) {
        printError(e.what());
        return 2;
    }

    try {
        Report report(out, chosen.format);
        // JSON lines are written as each item is done: what is answered goes
        // out before the program waits for more input.
        if (chosen.format == Format::JsonLines)
            chosen.reading.beforeRead = [&out] { out.flush(); };
        const int status = chosen.run(report);
        chosen.reading.finish();
        out.flush();
        return status;
    } catch (const std::exception& e) {
        out.discard();
        printError(e.what());
        return 2;
    }
}
