// zentrix-cli cidr: classless IPv4 and IPv6 networks, ranges and summaries.

#include "cli/Command.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/IPAddress.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>

namespace {

struct CidrOptions
{
    std::vector<std::string> inputs;
    std::string split;
    std::string limit;
    std::string contains;
    bool summarize = false;
};

std::string addressText(AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? addresstext::ipv4Text(uint32_t(address.lo))
                                         : addresstext::ipv6Text(address);
}

std::string blockText(const CidrBlock& block, Uint128 address)
{
    return addressText(block.family, address) + "/" + std::to_string(block.prefix);
}

// "00001010.00000001.00000010.00000011"
std::string binaryText(uint32_t value)
{
    std::string text;
    for (int bit = 31; bit >= 0; --bit) {
        text += (value >> bit & 1) ? '1' : '0';
        if (bit % 8 == 0 && bit > 0)
            text += '.';
    }
    return text;
}

Record ipv4Record(const CidrBlock& block)
{
    const Ipv4Facts f = ipv4Facts(uint32_t(block.address.lo), block.prefix);
    const auto v4 = [](uint32_t a) { return Value::Of(addresstext::ipv4Text(a)); };
    return {{"",
             {
                 {"address", "Address", v4(f.address)},
                 {"network", "Network", Value::Of(blockText(block, f.network))},
                 {"prefix", "Prefix length", Value::Integer(f.prefix)},
                 {"netmask", "Netmask", v4(f.mask)},
                 {"wildcard", "Wildcard mask", v4(f.wildcard)},
                 {"broadcast", "Broadcast", v4(f.broadcast)},
                 {"first_host", "First host", v4(f.firstHost)},
                 {"last_host", "Last host", v4(f.lastHost)},
                 {"usable_hosts", "Usable hosts", Value::Integer(int64_t(f.usableHosts))},
                 {"addresses", "Addresses", Value::Integer(int64_t(f.addresses))},
                 {"address_hex", "Address (hex)", Value::Of(TIPAddress::FormatHex(f.address))},
                 {"netmask_hex", "Netmask (hex)", Value::Of(TIPAddress::FormatHex(f.mask))},
                 {"address_binary", "Address (binary)", Value::Of(binaryText(f.address))},
                 {"netmask_binary", "Netmask (binary)", Value::Of(binaryText(f.mask))},
                 {"class", "Class", Value::Of(std::string(1, historicalClass(f.address)))},
                 {"type", "Type", Value::Of(addressType(block))},
             }}};
}

Record ipv6Record(const CidrBlock& block)
{
    const auto v6 = [](Uint128 a) { return Value::Of(addresstext::ipv6Text(a)); };
    const Value subnets64 =
        Value::Count(block.prefix <= 64 ? addresstext::powerOfTwoText(64u - block.prefix) : "0");
    const Value addresses = Value::Count(addresstext::powerOfTwoText(block.hostBits()));
    return {{"",
             {
                 {"address", "Address", v6(block.address)},
                 {"expanded", "Expanded", Value::Of(addresstext::ipv6Expanded(block.address))},
                 {"network", "Network", Value::Of(blockText(block, block.network()))},
                 {"prefix", "Prefix length", Value::Integer(block.prefix)},
                 {"first", "First address", v6(block.network())},
                 {"last", "Last address", v6(block.last())},
                 {"network_expanded", "Network (expanded)",
                  Value::Of(addresstext::ipv6Expanded(block.network()))},
                 {"addresses", "Addresses", addresses},
                 {"subnets_64", "/64 subnets", subnets64},
                 {"type", "Type", Value::Of(addressType(block))},
             }}};
}

// The block named by the positional arguments: ADDRESS[/PREFIX|/MASK] or
// IPv4 ADDRESS MASK.
CidrBlock readBlockArguments(const std::vector<std::string>& inputs)
{
    std::string expected;
    CidrBlock block;
    if (!cidrtext::readBlock(inputs[0], block, expected))
        throwBadToken(inputs[0], expected);
    if (inputs.size() == 2) {
        if (block.family != AddressFamily::IPv4 || inputs[0].find('/') != std::string::npos)
            throwBadToken(inputs[1], "nothing more after " + inputs[0]);
        if (!cidrtext::readIpv4Mask(inputs[1], block.prefix, expected))
            throwBadToken(inputs[1], expected);
    }
    return block;
}

// Every blank-separated word of standard input: a route table can be long,
// so it is read in large pieces rather than word by word through a stream.
std::vector<std::string> wordsOfStandardInput()
{
    std::vector<std::string> words;
    std::string word;
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                if (!word.empty())
                    words.push_back(std::move(word));
                word.clear();
            } else {
                word += c;
            }
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

// Blocks of a range or of a summary, as a table.
int listBlocks(Report& report, const std::vector<CidrBlock>& blocks, uint64_t limit)
{
    const bool v6 = std::any_of(blocks.begin(), blocks.end(),
                                [](const CidrBlock& b) { return b.family == AddressFamily::IPv6; });
    const size_t width = v6 ? addresstext::Ipv6MaxLength : addresstext::Ipv4MaxLength;
    report.BeginTable({}, "blocks",
                      {{"network", "Network", width + 4},
                       {"first", "First", width},
                       {"last", "Last", width},
                       {"addresses", "Addresses", 0, true}});
    uint64_t listed = 0;
    for (const CidrBlock& block : blocks) {
        if (listed == limit)
            break;
        const std::string texts[] = {
            blockText(block, block.network()), addressText(block.family, block.network()),
            addressText(block.family, block.last()), addresstext::powerOfTwoText(block.hostBits())};
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}, {texts[3], false}};
        report.Row(cells);
        ++listed;
    }
    report.EndTable(listed, Value::Integer(int64_t(blocks.size())), listed < blocks.size(),
                    "blocks");
    return 0;
}

// Every subnet of an IPv4 block with the longer prefix, written straight
// into the output: a /8 split into /28s is a million rows.
void splitIpv4(Report& report, const CidrBlock& block, uint8_t newPrefix, uint64_t limit)
{
    const uint64_t total = uint64_t(1) << (newPrefix - block.prefix);
    const Ipv4Facts shape = ipv4Facts(0, newPrefix);
    report.BeginTable({}, "subnets",
                      {{"network", "Network", addresstext::Ipv4MaxLength + 3},
                       {"first", "First host", addresstext::Ipv4MaxLength},
                       {"last", "Last host", addresstext::Ipv4MaxLength},
                       {"broadcast", "Broadcast", addresstext::Ipv4MaxLength},
                       {"hosts", "Hosts", std::to_string(shape.usableHosts).size(), true}});
    const std::string suffix = "/" + std::to_string(newPrefix);
    const std::string hosts = std::to_string(shape.usableHosts);
    const uint32_t step = uint32_t(shape.addresses - 1);
    const uint32_t firstOffset = shape.firstHost - shape.network;
    const uint32_t lastOffset = shape.lastHost - shape.network;

    char buffer[4 * 16 + 8];
    uint32_t network = uint32_t(block.network().lo);
    const uint64_t listed = std::min(total, limit);
    for (uint64_t n = 0; n < listed; ++n) {
        char* p = buffer;
        char* const networkStart = p;
        p = addresstext::writeIpv4(p, network);
        char* const firstStart = p;
        p = addresstext::writeIpv4(p, network + firstOffset);
        char* const lastStart = p;
        p = addresstext::writeIpv4(p, network + lastOffset);
        char* const broadcastStart = p;
        p = addresstext::writeIpv4(p, network + step);
        // The network column carries its prefix: copy it in after the
        // address, moving nothing, by building that cell last.
        std::string_view networkCell(networkStart, size_t(firstStart - networkStart));
        char cidr[24];
        std::copy(networkCell.begin(), networkCell.end(), cidr);
        std::copy(suffix.begin(), suffix.end(), cidr + networkCell.size());
        const Cell cells[] = {
            {std::string_view(cidr, networkCell.size() + suffix.size())},
            {std::string_view(firstStart, size_t(lastStart - firstStart))},
            {std::string_view(lastStart, size_t(broadcastStart - lastStart))},
            {std::string_view(broadcastStart, size_t(p - broadcastStart))},
            {hosts, true},
        };
        report.Row(cells);
        network += step + 1;
    }
    report.EndTable(listed, Value::Integer(int64_t(total)), listed < total, "subnets");
}

void splitIpv6(Report& report, const CidrBlock& block, uint8_t newPrefix, uint64_t limit)
{
    SubnetSplitter split(block, newPrefix);
    const std::string addresses = addresstext::powerOfTwoText(128u - newPrefix);
    report.BeginTable({}, "subnets",
                      {{"network", "Network", addresstext::Ipv6MaxLength + 4},
                       {"first", "First", addresstext::Ipv6MaxLength},
                       {"last", "Last", addresstext::Ipv6MaxLength},
                       {"addresses", "Addresses", addresses.size(), true}});
    const CidrBlock shape{AddressFamily::IPv6, Uint128(), newPrefix};
    const Uint128 span = shape.last();
    uint64_t listed = 0;
    Uint128 network;
    while (listed < limit && split.next(network)) {
        const std::string texts[] = {blockText(shape, network), addresstext::ipv6Text(network),
                                     addresstext::ipv6Text(network + span)};
        const Cell cells[] = {{texts[0]}, {texts[1]}, {texts[2]}, {addresses, false}};
        report.Row(cells);
        ++listed;
    }
    // Stopped by the limit if there is a subnet left.
    const bool limited = split.next(network);
    report.EndTable(listed, Value::Count(addresstext::powerOfTwoText(split.countBits())), limited,
                    "subnets");
}

int runCidr(Report& report, const CidrOptions& options)
{
    const uint64_t limit = readLimit(options.limit);
    std::string expected;

    if (options.summarize && (!options.split.empty() || !options.contains.empty()))
        throw UsageError(std::string("--summarize: expected no ") +
                         (options.split.empty() ? "--contains" : "--split") + " beside it");
    if (options.summarize) {
        std::vector<std::string> items = options.inputs;
        if (items.empty() || (items.size() == 1 && items[0] == "-"))
            items = wordsOfStandardInput();
        if (items.empty())
            throw UsageError(
                "--summarize: expected networks on the command line or on standard input");
        std::vector<AddressRange> ranges;
        ranges.reserve(items.size());
        for (const std::string& item : items) {
            AddressRange range;
            if (!cidrtext::readBlockOrRange(item, range, expected))
                throwBadToken(item, expected);
            ranges.push_back(range);
        }
        return listBlocks(report, summarize(std::move(ranges)), limit);
    }

    if (options.inputs.empty() || options.inputs.size() > 2)
        throw UsageError("cidr: expected ADDRESS/PREFIX, ADDRESS MASK or FIRST-LAST");

    // A range: the blocks that cover it, or whether it holds an address.
    if (options.inputs[0].find('-') != std::string::npos) {
        AddressRange range;
        if (!cidrtext::readRange(options.inputs[0], range, expected))
            throwBadToken(options.inputs[0], expected);
        if (options.inputs.size() == 2)
            throwBadToken(options.inputs[1], "nothing more after the range " + options.inputs[0]);
        if (!options.split.empty())
            throw UsageError("--split: expected a network, not the range " + options.inputs[0]);
        if (!options.contains.empty()) {
            AddressFamily family;
            Uint128 address;
            if (!cidrtext::readAddress(options.contains, family, address, expected))
                throwBadToken(options.contains, expected);
            const bool inside =
                family == range.family && range.first <= address && address <= range.last;
            report.WriteRecord(
                {{"",
                  {{"range", "Range", Value::Of(options.inputs[0])},
                   {"address", "Address", Value::Of(options.contains)},
                   {"contains", "Contains", Value::Flag(inside, inside ? "yes" : "no")}}}});
            return inside ? 0 : 1;
        }
        return listBlocks(report, blocksOfRange(range), limit);
    }

    const CidrBlock block = readBlockArguments(options.inputs);

    if (!options.contains.empty()) {
        AddressFamily family;
        Uint128 address;
        if (!cidrtext::readAddress(options.contains, family, address, expected))
            throwBadToken(options.contains, expected);
        const bool inside = block.contains(family, address);
        report.WriteRecord(
            {{"",
              {{"network", "Network", Value::Of(blockText(block, block.network()))},
               {"address", "Address", Value::Of(addressText(family, address))},
               {"contains", "Contains", Value::Flag(inside, inside ? "yes" : "no")}}}});
        return inside ? 0 : 1;
    }

    if (!options.split.empty()) {
        uint8_t newPrefix = 0;
        const unsigned bits = addressBits(block.family);
        if (!cidrtext::readPrefix(options.split, block.family, newPrefix, expected) ||
            newPrefix < block.prefix)
            throwBadToken(options.split, "a prefix length from " + std::to_string(block.prefix) +
                                             " to " + std::to_string(bits) +
                                             " for --split (not shorter than the network's /" +
                                             std::to_string(block.prefix) + ")");
        if (block.family == AddressFamily::IPv4)
            splitIpv4(report, block, newPrefix, limit);
        else
            splitIpv6(report, block, newPrefix, limit);
        return 0;
    }

    report.WriteRecord(block.family == AddressFamily::IPv4 ? ipv4Record(block) : ipv6Record(block));
    return 0;
}

} // namespace

void addCidrCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<CidrOptions>();
    CLI::App* cidr = app.add_subcommand(
        "cidr", "Classless IPv4 and IPv6: network facts, subnets, ranges and summaries");
    cidr->add_option("network", options->inputs,
                     "ADDRESS/PREFIX, ADDRESS/MASK, ADDRESS MASK, FIRST-LAST, or with "
                     "--summarize any number of networks and ranges ('-' or none: standard input)")
        ->expected(0, -1);
    cidr->add_option("--split", options->split,
                     "List every subnet with this longer prefix: network, first and last host, "
                     "broadcast, hosts")
        ->type_name("PREFIX");
    cidr->add_flag("--summarize", options->summarize,
                   "The fewest CIDR blocks that cover exactly the given networks and ranges");
    cidr->add_option("--contains", options->contains,
                     "Whether the network holds ADDRESS: exit status 0 if it does, 1 if not")
        ->type_name("ADDRESS");
    addLimitOption(*cidr, options->limit);
    addFormatOptions(*cidr, chosen, false);
    cidr->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runCidr(report, *options); };
    });
    cidr->footer("Examples:\n"
                 "  zentrix-cli cidr 192.168.10.77/26\n"
                 "  zentrix-cli cidr 10.1.2.3 255.255.240.0\n"
                 "  zentrix-cli cidr 2001:db8:abcd::/48\n"
                 "  zentrix-cli cidr 10.0.0.0/8 --split 28 --limit 4\n"
                 "  zentrix-cli cidr 10.0.0.5-10.0.0.20\n"
                 "  zentrix-cli cidr --summarize 10.0.0.0/24 10.0.1.0/24\n"
                 "  zentrix-cli cidr 10.0.0.0/8 --contains 10.20.30.40");
}
