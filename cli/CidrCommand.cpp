// zentrix-cli cidr: classless IPv4 and IPv6 networks. The options, which
// question they ask, and what may go together; the answers are in the
// other Cidr*.cpp files.

#include "cli/CidrModes.h"

#include "ipaddress/AddressRegistry.h"
#include "ipaddress/AddressText.h"

#include <CLI/CLI.hpp>

namespace {

// The questions, each asked by one option; at most one per command.
struct Question
{
    const char* option;
    bool asked;
    bool listing; // --limit may cut its answer
};

std::vector<Question> questionsOf(const CidrOptions& o)
{
    return {
        {"--split", !o.split.empty(), true},         {"--contains", !o.contains.empty(), false},
        {"--summarize", o.summarize, true},          {"--exclude", !o.exclude.empty(), true},
        {"--intersect", !o.intersect.empty(), true}, {"--diff", !o.diff.empty(), false},
        {"--overlaps", o.overlaps, false},           {"--lookup", o.lookup, false},
        {"--reverse-zones", o.reverseZones, false},  {"--ptr", o.ptr, false},
    };
}

// The one question asked, or nullptr for the facts; refuses options that
// cannot go with it rather than ignoring them.
const Question* chosenQuestion(const CidrOptions& o, const std::vector<Question>& questions)
{
    const Question* chosen = nullptr;
    for (const Question& question : questions) {
        if (!question.asked)
            continue;
        if (chosen)
            throw UsageError(std::string(question.option) + ": expected no " + chosen->option +
                             " beside it: one question per command");
        chosen = &question;
    }
    const std::string name = chosen ? chosen->option : "the facts of a network";
    if (!o.in.empty() && !o.lookup)
        throw UsageError("--in: expected --lookup beside it (--lookup ADDRESS... --in "
                         "NETWORK...), not " +
                         name);
    if (o.lookup && o.in.empty())
        throw UsageError("--lookup: expected --in NETWORK... beside it: the networks to look in");
    // The facts take --limit for a range; runFacts knows.
    if (!o.limit.empty() && chosen && !chosen->listing)
        throw UsageError("--limit: expected a listing to cut (--split, --summarize, --exclude, "
                         "--intersect or a range), not " +
                         name);
    return chosen;
}

// Standard input can be read once.
void checkStandardInputs(const CidrOptions& o)
{
    size_t count = ItemInput(o.items, false).standardInputs();
    for (const auto* list : {&o.contains, &o.exclude, &o.intersect, &o.diff, &o.in})
        count += ItemInput(*list, false).standardInputs();
    if (count > 1)
        throwBadToken("-", "standard input ('-') once in a command: it can be read only once");
}

// Items come only from what the command line names: a question with none
// says so rather than wait on standard input. An option that takes a list
// may have taken what were meant as the items.
void requireItems(const CidrOptions& o)
{
    if (!o.items.empty())
        return;
    const std::pair<const char*, const std::vector<std::string>*> lists[] = {
        {"--exclude", &o.exclude},
        {"--intersect", &o.intersect},
        {"--diff", &o.diff},
        {"--in", &o.in},
        {"--contains", &o.contains}};
    for (const auto& [option, values] : lists)
        if (!values->empty())
            throw UsageError(std::string("no items: the values after ") + option +
                             " are its own; give items before it, or - for standard input");
    throw UsageError("no items: give addresses, networks or ranges as arguments, - for standard "
                     "input or @FILE for a file");
}

std::string typeList()
{
    std::string text =
        "Address types (the Type line), from the IANA special-purpose address registries: the "
        "most specific entry that holds a network names it. --json and --csv add \"global\", "
        "true for the types marked (global) (the registry's \"globally reachable\", and "
        "addresses in no entry), and \"private\", true for the private-use blocks marked "
        "(private):\n";
    for (const AddressTypeEntry& entry : addressTypeEntries()) {
        std::string line = "  " + std::string(entry.type);
        line.resize(std::max<size_t>(line.size() + 2, 24), ' ');
        for (size_t i = 0; i < entry.blocks.size(); ++i)
            line += (i > 0 ? ", " : "") + entry.blocks[i];
        if (entry.type != "mixed")
            line += entry.privateUse ? " (private)" : entry.global ? " (global)" : "";
        text += line + "\n";
    }
    return text;
}

int runCidr(Report& report, const CidrOptions& options)
{
    const std::vector<Question> questions = questionsOf(options);
    const Question* question = chosenQuestion(options, questions);
    const uint64_t limit = readLimit(options.limit);
    const std::string option = question ? question->option : "";
    const bool listQuestion = question && option != "--split" && option != "--contains";
    checkStandardInputs(options);
    if (listQuestion)
        requireItems(options);
    // A plain list is of networks or names: of the listings, and the zones
    // and PTR names.
    if (report.format() == Format::Plain &&
        !(question && (question->listing || option == "--reverse-zones" || option == "--ptr")) &&
        !(!question && options.items.size() == 1))
        throw UsageError("--plain: expected a listing of networks or names (--split, "
                         "--summarize, --exclude, --intersect, a range, --reverse-zones or "
                         "--ptr), not " +
                         (question ? option : std::string("the facts of a network")));

    if (!question) {
        if (options.items.empty())
            throw UsageError("cidr: expected an address, a network (ADDRESS/PREFIX, "
                             "ADDRESS/MASK or ADDRESS MASK) or a range FIRST-LAST (see --help)");
        return runFacts(report, options, limit);
    }
    if (option == "--split")
        return runSplit(report, options, limit);
    if (option == "--contains")
        return runContains(report, options);
    if (option == "--overlaps")
        return runOverlaps(report, options);
    if (option == "--lookup")
        return runLookup(report, options);
    if (option == "--reverse-zones")
        return runReverseZones(report, options);
    if (option == "--ptr")
        return runPtr(report, options);
    return runSetOperation(report, options, limit);
}

} // namespace

std::string itemText(const cidrtext::CidrItem& item)
{
    switch (item.kind) {
    case cidrtext::CidrItem::Kind::Address:
        return cidrtext::addressText(item.block.family, item.block.address);
    case cidrtext::CidrItem::Kind::Network:
        return cidrtext::networkText(item.block);
    case cidrtext::CidrItem::Kind::Range:
        break;
    }
    return cidrtext::addressText(item.range.family, item.range.first) + "-" +
           cidrtext::addressText(item.range.family, item.range.last);
}

cidrtext::CidrItem readCidrItem(const ItemText& item, std::string* zone)
{
    cidrtext::CidrItem read;
    std::string expected;
    if (!cidrtext::readItem(item.text, read, expected, zone))
        throwBadToken(item.where(), item.text, expected);
    return read;
}

void addCidrCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<CidrOptions>();
    CLI::App* cidr = app.add_subcommand(
        "cidr", "Classless IPv4 and IPv6: the facts of networks and addresses, subnets, ranges, "
                "and sets of networks (summaries, exclusions, lookups, reverse DNS zones)");
    if (!chosen.fills(*cidr))
        return;
    cidr->add_option("ITEM", options->items,
                     "An address (10.1.2.3, 2001:db8::1, fe80::1%eth0), a network "
                     "(10.0.0.0/8, 10.0.0.0/255.0.0.0, or ADDRESS MASK as the only two "
                     "arguments), a range (10.0.0.5-10.0.0.20), '-' for standard input or @FILE "
                     "for a file: one item per line there, blank lines and '#' comments "
                     "allowed. The facts of each, or what an option below asks of them")
        ->type_name("");
    cidr->add_option("--split", options->split,
                     "List every subnet of the network with this longer prefix (28 or /28): "
                     "network, first and last host, broadcast, usable hosts")
        ->type_name("PREFIX");
    cidr->add_option("--contains", options->contains,
                     "Whether the network (or range) holds each of these addresses, networks or "
                     "ranges: exit status 0 if it holds them all, 1 if not")
        ->type_name("ITEM");
    cidr->add_flag("--summarize", options->summarize,
                   "The fewest CIDR blocks that cover exactly the items");
    cidr->add_option("--exclude", options->exclude,
                     "The items minus these, as the fewest CIDR blocks")
        ->type_name("ITEM");
    cidr->add_option("--intersect", options->intersect,
                     "The addresses both the items and these hold, as the fewest CIDR blocks")
        ->type_name("ITEM");
    cidr->add_option("--diff", options->diff,
                     "What only the items hold (lines starting '- ') and what only these hold "
                     "('+ '), as CIDR blocks: exit status 1 if the two differ")
        ->type_name("ITEM");
    cidr->add_flag("--overlaps", options->overlaps,
                   "Every pair of items that share addresses, one pair per line: exit status 1 "
                   "if any do");
    cidr->add_flag("--lookup", options->lookup,
                   "For each item, the most specific of the --in networks that holds it "
                   "(longest-prefix match, as a router picks a route), or '-' and exit status "
                   "1 when none does");
    cidr->add_option("--in", options->in, "The networks, addresses or ranges --lookup looks in")
        ->type_name("ITEM");
    cidr->add_flag("--reverse-zones", options->reverseZones,
                   "The reverse DNS zones that delegate each network: in-addr.arpa on octet "
                   "boundaries and RFC 2317 names from /25 to /32, ip6.arpa on nibble "
                   "boundaries");
    cidr->add_flag("--ptr", options->ptr,
                   "The name of each address's PTR record (4.3.2.1.in-addr.arpa)");
    addLimitOption(*cidr, options->limit);
    addFormatOptions(*cidr, chosen, {false, true});
    addSkipInvalidOption(*cidr, chosen);
    cidr->callback([options, &chosen] {
        options->reading = &chosen.reading;
        chosen.run = [options](Report& report) { return runCidr(report, *options); };
    });
    // Made when --help asks for it: the registry's words cost every call.
    // (The footer's text would be the program's, which a command inherits.)
    cidr->footer(std::string());
    cidr->footer([] {
        return "Items are what the command line names: each argument is one item, '-' reads "
               "them from standard input and @FILE from a file (once each per command for "
               "'-'); ADDRESS MASK is one item only when those two are all the items. Items "
               "come before an option that takes a list (or after --); a question without "
               "items says so. IPv4 and IPv6 mix freely; IPv4 blocks come first in every "
               "listing. --skip-invalid passes over items that are no valid input and names "
               "the first five; the exit status is then what the valid items give.\n\n" +
               typeList() +
               "\nExamples:\n"
               "  zentrix-cli cidr 192.168.10.77/26\n"
               "  zentrix-cli cidr 10.1.2.3 255.255.240.0\n"
               "  zentrix-cli cidr 2001:db8:abcd::/48 --json\n"
               "  zentrix-cli cidr 10.0.0.0/8 --split 28 --limit 4\n"
               "  zentrix-cli cidr 10.0.0.5-10.0.0.20\n"
               "  zentrix-cli cidr 10.0.0.0/8 --contains 10.20.30.40 10.1.0.0/16\n"
               "  zentrix-cli cidr - --csv < hosts.txt\n"
               "  zentrix-cli cidr - --jsonl --skip-invalid < hosts.txt\n"
               "  zentrix-cli cidr --summarize @routes.txt\n"
               "  zentrix-cli cidr --summarize --plain @routes.txt | \\\n"
               "      zentrix-cli cidr - --exclude 10.0.0.0/24\n"
               "  zentrix-cli cidr 10.0.0.0/8 --exclude 10.1.0.0/16 10.2.0.0/16\n"
               "  zentrix-cli cidr @old.txt --diff @new.txt   # exit status 1\n"
               "  zentrix-cli cidr --lookup 10.1.2.3 --in @routes.txt\n"
               "  zentrix-cli cidr --reverse-zones 192.0.2.0/26 2001:db8::/30\n"
               "  zentrix-cli cidr --ptr 2001:db8::1";
    });
}
