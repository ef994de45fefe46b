// zentrix-cli plan: the address planner on the command line. Parents,
// requests and options come from the command line, from a file of request
// lines, or from a plan file (.zplan); the planning rules and the plan
// files are ipaddress/'s, shared with the window.

#include "cli/Command.h"

#include "core/Errors.h"
#include "core/Json.h"
#include "core/LineReader.h"
#include "core/Text.h"

#include "ipaddress/CidrText.h"
#include "ipaddress/PlanFile.h"
#include "ipaddress/PlanOutput.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger than any plan of MaxPlanRequests requests; a bound, so that a
// device or a runaway pipe given as the file cannot eat the memory.
constexpr size_t MaxFileBytes = size_t(64) << 20;

struct PlanArguments
{
    std::vector<std::string> parents;
    std::vector<std::string> needs;
    std::string file;
    std::string mode;
    std::string grow;
    std::string order;
    bool nibble = false;
    bool p2p30 = false;
    bool p2p127 = false;
};

// Everything a plan is made from, with where each part came from, so that
// a message can name the token and its line.
struct GatheredPlan
{
    std::vector<plantext::ParentText> parents;
    std::vector<plantext::RequestText> requests;
    std::vector<bool> requestFromNeed; // from --need NAME=SIZE, not from the file
    PlanOptions options;
    std::string source; // the file as messages name it
    // Options the file set and the command line did not: a message about
    // one names the file and the file's word for it.
    bool modeFromFile = false;
    bool nibbleFromFile = false;
    bool p2p30FromFile = false;
    bool p2p127FromFile = false;
};

[[noreturn]] void badToken(const std::string& source, size_t line, std::string_view token,
                           const std::string& expected)
{
    throw UsageError((line > 0 ? lineLocation(source, line) + ": " : std::string()) + "'" +
                     text::shownToken(token) + "': expected " + expected);
}

std::string readWholeFile(const std::string& path, const std::string& source)
{
    const int fd = path == "-" ? 0 : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0)
        throwBadToken(path, std::string("a file to read the plan from: ") + std::strerror(errno));
    try {
        if (S_ISDIR(status.st_mode))
            throwBadToken(path, "a file to read the plan from, not a directory");
        std::string content = readAllLines(fd, source, MaxFileBytes);
        if (fd != 0)
            ::close(fd);
        return content;
    } catch (...) {
        if (fd != 0)
            ::close(fd);
        throw;
    }
}

void readPlanSource(const PlanArguments& arguments, GatheredPlan& plan)
{
    if (arguments.file.empty())
        return;
    plan.source = arguments.file == "-" ? StandardInputName : arguments.file;
    std::string content;
    try {
        content = readWholeFile(arguments.file, plan.source);
    } catch (const InputError& e) {
        throw UsageError(e.what());
    }
    if (plantext::looksLikePlanFile(content)) {
        PlanFile file;
        try {
            file = readPlanFile(content);
        } catch (const json::ParseError& e) {
            // "line L, column C: expected ..." as FILE:L:C: expected ...
            std::string message = e.what();
            const std::string place = json::positionText(e.where);
            if (message.rfind(place, 0) == 0)
                message.erase(0, place.size());
            throw UsageError(lineLocation(plan.source, e.where.line) + ":" +
                             std::to_string(e.where.column) + ": " + message);
        } catch (const EZentrixError& e) {
            throw UsageError(plan.source + ": " + e.what());
        }
        plan.parents = std::move(file.parents);
        plan.requests = std::move(file.requests);
        plan.options = file.options;
        plan.modeFromFile = true;
        plan.nibbleFromFile = file.options.nibble;
        plan.p2p30FromFile = file.options.p2p30;
        plan.p2p127FromFile = file.options.p2p127;
    } else {
        // Request lines, or a table with or without a header row, as the
        // window's Paste takes them.
        plan.requests = plantext::readRequestTable(content);
    }
    plan.requestFromNeed.assign(plan.requests.size(), false);
}

// Parents and options given on the command line replace the file's;
// requests given with --need follow the file's.
void addCommandLine(const PlanArguments& arguments, GatheredPlan& plan)
{
    if (!arguments.parents.empty()) {
        plan.parents.clear();
        for (const std::string& parent : arguments.parents)
            plan.parents.push_back({parent, 0});
    }
    for (const std::string& need : arguments.needs) {
        plantext::RequestText request;
        std::string expected;
        if (!plantext::splitNeed(need, request, expected))
            throwBadToken(need, expected + " for --need");
        plan.requests.push_back(std::move(request));
        plan.requestFromNeed.push_back(true);
    }
    if (!arguments.mode.empty()) {
        if (!readModeName(arguments.mode, plan.options.mode))
            throwBadToken(arguments.mode, "a mode for --mode: standard, aws, azure, gcp or oci");
        plan.modeFromFile = false;
    }
    if (!arguments.grow.empty()) {
        uint64_t percent = 0;
        if (!text::readNumber(arguments.grow, MaxGrowPercent, percent))
            throwBadToken(arguments.grow, "a growth margin for --grow: a whole percent from 0 to " +
                                              std::to_string(MaxGrowPercent));
        plan.options.growPercent = unsigned(percent);
    }
    if (!arguments.order.empty() && !readOrderName(arguments.order, plan.options.order))
        throwBadToken(arguments.order, "an order for --order: size or given");
    if (arguments.nibble) {
        plan.options.nibble = true;
        plan.nibbleFromFile = false;
    }
    if (arguments.p2p30) {
        plan.options.p2p30 = true;
        plan.p2p30FromFile = false;
    }
    if (arguments.p2p127) {
        plan.options.p2p127 = true;
        plan.p2p127FromFile = false;
    }
}

std::string requestToken(const GatheredPlan& plan, size_t index)
{
    const plantext::RequestText& request = plan.requests[index];
    if (request.size.empty() && !plan.requestFromNeed[index])
        return request.name;
    return request.name + (plan.requestFromNeed[index] ? "=" : " ") + request.size;
}

// The plan's input. With --skip-invalid a request line of the file that is
// no request is named, counted and left out of `plan` as well, so that the
// rules' faults still name the right lines.
PlanInput readInput(GatheredPlan& plan, ItemReading& reading)
{
    PlanInput input;
    input.options = plan.options;
    input.parents.reserve(plan.parents.size());
    std::string expected;
    for (const plantext::ParentText& parent : plan.parents) {
        CidrBlock block;
        if (!cidrtext::readBlock(parent.text, block, expected))
            badToken(plan.source, parent.line, parent.text, expected + " as a parent network");
        input.parents.push_back(block);
    }
    input.requests.reserve(plan.requests.size());
    size_t kept = 0;
    for (size_t i = 0; i < plan.requests.size(); ++i) {
        const plantext::RequestText& text = plan.requests[i];
        PlanRequest request;
        if (!plantext::readRequest(text, request, expected)) {
            if (text.size.empty() && !plan.requestFromNeed[i])
                expected = "NAME HOSTS or NAME /PREFIX: a name, then the size";
            if (!reading.skip || plan.requestFromNeed[i])
                badToken(plan.source, text.line, requestToken(plan, i), expected);
            reading.pass(lineLocation(plan.source, text.line) + ": '" +
                         text::shownToken(requestToken(plan, i)) + "': expected " + expected);
            continue;
        }
        ++reading.valid;
        input.requests.push_back(std::move(request));
        plan.requests[kept] = plan.requests[i];
        plan.requestFromNeed[kept++] = plan.requestFromNeed[i];
    }
    plan.requests.resize(kept);
    plan.requestFromNeed.resize(kept);
    return input;
}

// Where a request was given, for a message about another one.
std::string requestPlace(const GatheredPlan& plan, size_t index)
{
    const plantext::RequestText& request = plan.requests[index];
    if (plan.requestFromNeed[index])
        return "--need " + text::shownToken(request.name + "=" + request.size);
    return lineLocation(plan.source, request.line);
}

[[noreturn]] void reportProblem(const GatheredPlan& plan, const PlanProblem& problem)
{
    using Where = PlanProblem::Where;
    // Options read from a plan file have no line of their own: the file is
    // named instead.
    const auto option = [&plan](bool fromFile, const std::string& fileWord,
                                const std::string& flag) {
        return fromFile ? plan.source + ": '" + fileWord + "'" : "'" + flag + "'";
    };
    switch (problem.where) {
    case Where::Parents:
        throw UsageError("plan: expected " + problem.expected +
                         " (PARENT on the command line, or a plan file's parents)");
    case Where::Parent: {
        const plantext::ParentText& parent = plan.parents[problem.index];
        badToken(plan.source, parent.line, parent.text, problem.expected);
    }
    case Where::Request: {
        std::string expected = problem.expected;
        if (problem.sameName)
            expected += " (" + requestPlace(plan, *problem.sameName) + " has it too)";
        badToken(plan.source, plan.requests[problem.index].line, requestToken(plan, problem.index),
                 expected);
    }
    case Where::Mode: {
        const std::string mode = modeName(plan.options.mode);
        throw UsageError(option(plan.modeFromFile, mode, mode) + ": expected " + problem.expected);
    }
    case Where::Nibble:
        throw UsageError(option(plan.nibbleFromFile, "\"nibble\": true", "--nibble") +
                         ": expected " + problem.expected);
    case Where::P2p30:
        throw UsageError(option(plan.p2p30FromFile, "\"p2p30\": true", "--p2p30") + ": expected " +
                         problem.expected);
    case Where::P2p127:
        throw UsageError(option(plan.p2p127FromFile, "\"p2p127\": true", "--p2p127") +
                         ": expected " + problem.expected);
    case Where::Grow:
        throw UsageError("'" + std::to_string(plan.options.growPercent) + "': expected " +
                         problem.expected);
    }
    throw UsageError("plan: " + problem.expected);
}

int runPlan(Report& report, const PlanArguments& arguments, ItemReading& reading)
{
    GatheredPlan plan;
    readPlanSource(arguments, plan);
    addCommandLine(arguments, plan);
    const PlanInput input = readInput(plan, reading);
    AddressPlanner planner;
    const PlanResult& result = planner.plan(input);
    if (result.problem)
        reportProblem(plan, *result.problem);
    return writePlan(report, input, result);
}

} // namespace

void addPlanCommand(CLI::App& app, Command& chosen)
{
    auto arguments = std::make_shared<PlanArguments>();
    CLI::App* plan = app.add_subcommand(
        "plan", "Address planner: subnets sized by hosts or prefix, placed into parent networks");
    if (!chosen.fills(*plan))
        return;
    plan->add_option("parent", arguments->parents,
                     "Parent networks to place the requests in, IPv4 or IPv6 (one family), "
                     "filled in the order given")
        ->expected(0, -1);
    plan->add_option("--need", arguments->needs,
                     "A request: NAME=HOSTS for a host count or NAME=/PREFIX for a block size; "
                     "repeat for more")
        ->type_name("NAME=SIZE")
        ->allow_extra_args(false);
    plan->add_option("--file", arguments->file,
                     "Requests from FILE ('-': standard input): one per line, NAME HOSTS or "
                     "NAME /PREFIX, '#' comment lines; or a table, tab- or comma-separated, with "
                     "or without a header row naming the name and size columns (as the "
                     "planner's Paste takes it); or a plan file (.zplan) with parents, requests "
                     "and options. Parents and options on the command line replace the file's; "
                     "--need requests follow its requests")
        ->type_name("FILE");
    plan->add_option("--mode", arguments->mode,
                     "Addresses each subnet reserves, and the subnet sizes it allows: standard "
                     "(network and broadcast; 2 hosts get a /31, 1 host a /32; IPv6 none), aws "
                     "(5; /16 to /28), azure (5; /2 to /29), gcp (4; /4 to /29), oci (3; /16 to "
                     "/30)")
        ->type_name("MODE");
    plan->add_option("--grow", arguments->grow,
                     "Growth margin: every host count times (1 + PERCENT/100), rounded up")
        ->type_name("PERCENT");
    plan->add_flag("--nibble", arguments->nibble,
                   "IPv6: widen every block to a prefix that is a multiple of 4 (/62 becomes /60)");
    plan->add_option("--order", arguments->order,
                     "size: largest block first, equal sizes in the order given (the default); "
                     "given: in the order given")
        ->type_name("ORDER");
    plan->add_flag("--p2p30", arguments->p2p30,
                   "Standard IPv4: give 2 hosts a /30 instead of a /31, as older equipment needs");
    plan->add_flag("--p2p127", arguments->p2p127,
                   "IPv6: give 2 hosts a /127 (RFC 6164) instead of a /64");
    addFormatOptions(*plan, chosen, {true, false});
    addSkipInvalidOption(*plan, chosen);
    plan->callback([arguments, &chosen] {
        chosen.run = [arguments, &chosen](Report& report) {
            return runPlan(report, *arguments, chosen.reading);
        };
    });
    plan->footer(
        "A host count gets the smallest block whose usable addresses hold it; in IPv6 every "
        "LAN is a /64 (RFC 4291). Each block goes at the lowest free address aligned to its "
        "size, in the first parent with room. Two requests may not share a name. Text output "
        "lists the placed blocks, then those that did not fit, then the free blocks and each "
        "parent's share in use; --json gives all of it, --jsonl, --csv and --tsv the placed "
        "blocks. Exit status 0 when every request was placed, 1 when some did not fit, 2 on "
        "bad input.\n\n"
        "Examples:\n"
        "  zentrix-cli plan 10.20.0.0/22 --need sales=100 --need operations=50 \\\n"
        "      --need lab=/28\n"
        "  zentrix-cli plan 10.0.0.0/16 --mode aws --grow 20 --file subnets.txt\n"
        "  zentrix-cli plan 2001:db8::/48 --need site=/56 --need lab=/62 \\\n"
        "      --nibble --json\n"
        "  zentrix-cli plan 2001:db8::/48 --need lan=120 --need link=2 --p2p127\n"
        "  zentrix-cli plan --file office.zplan --csv");
}
