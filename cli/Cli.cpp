#include "cli/Cli.h"

#include "cli/Command.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <sstream>

namespace {

const char* const Description =
    "Zentrix's calculators on the command line: classful subnets and supernets, number "
    "bases and path latency as the window shows them, and classless IPv4 and IPv6 "
    "networks, ranges and summaries.";

const char* const Footer =
    "Every command takes --help. Output is aligned text; --json gives one JSON document "
    "and --csv a table with a header row. Bad input prints one line on standard error and "
    "exits with status 2.";

void printError(const std::string& message)
{
    std::fprintf(stderr, "zentrix-cli: %s\n", message.c_str());
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

} // namespace

int runCli(int argc, const char* const* argv, Output& out)
{
    CLI::App app(Description, "zentrix-cli");
    app.footer(Footer);
    app.set_version_flag("--version", ZENTRIX_RELEASE_TEXT, "Show the release and exit");
    app.require_subcommand(1);

    Command chosen;
    addSubnetCommand(app, chosen);
    addSupernetCommand(app, chosen);
    addCidrCommand(app, chosen);
    addRadixCommand(app, chosen);
    addLatencyCommand(app, chosen);
    addPlanCommand(app, chosen);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        std::ostringstream shown, failure;
        if (app.exit(e, shown, failure) == 0) {
            out.Write(shown.str());
            out.Flush();
            return 0;
        }
        // A missing or mistyped command reads to CLI11 as a missing
        // subcommand or a stray argument: name what was typed instead.
        const std::string first = argc > 1 ? argv[1] : "";
        if (app.get_subcommands().empty() && (first.empty() || first[0] != '-'))
            printError((first.empty() ? std::string() : "'" + first + "': ") +
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
        const int status = chosen.run(report);
        out.Flush();
        return status;
    } catch (const std::exception& e) {
        out.Discard();
        printError(e.what());
        return 2;
    }
}
