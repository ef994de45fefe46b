// zentrix-cli cidr --split: every subnet of a network with a longer prefix,
// written straight into the output (a /8 split into /28s is a million rows).

#include "cli/CidrModes.h"

#include "ipaddress/AddressText.h"

#include <algorithm>

namespace {

void splitIpv4(Report& report, const CidrBlock& block, uint8_t newPrefix, uint64_t limit)
{
    const uint64_t total = uint64_t(1) << (newPrefix - block.prefix);
    const Ipv4Facts shape = ipv4Facts(0, newPrefix);
    const std::string suffix = "/" + std::to_string(newPrefix);
    const std::string hosts = std::to_string(shape.usableHosts);
    const std::string addresses = std::to_string(shape.addresses);
    report.beginTable({}, "subnets",
                      {{"network", "Network", addresstext::Ipv4MaxLength + suffix.size(), false,
                        Field::Show::Everywhere, true},
                       {"first", "First host", addresstext::Ipv4MaxLength},
                       {"last", "Last host", addresstext::Ipv4MaxLength},
                       {"broadcast", "Broadcast", addresstext::Ipv4MaxLength},
                       {"hosts", "Hosts", hosts.size(), true},
                       {"addresses", "", 0, true, Field::Show::DataOnly}});
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
        std::copy(suffix.begin(), suffix.end(), p);
        p += suffix.size();
        char* const firstStart = p;
        p = addresstext::writeIpv4(p, network + firstOffset);
        char* const lastStart = p;
        p = addresstext::writeIpv4(p, network + lastOffset);
        char* const broadcastStart = p;
        // A /31 or /32 has no broadcast address (RFC 3021).
        if (shape.hasBroadcast)
            p = addresstext::writeIpv4(p, network + step);
        const Cell cells[] = {
            {std::string_view(networkStart, size_t(firstStart - networkStart))},
            {std::string_view(firstStart, size_t(lastStart - firstStart))},
            {std::string_view(lastStart, size_t(broadcastStart - lastStart))},
            {std::string_view(broadcastStart, size_t(p - broadcastStart)), false,
             !shape.hasBroadcast},
            {hosts},
            {addresses},
        };
        report.row(cells);
        network += step + 1;
    }
    report.endTable(listed, Value::count(std::to_string(total)), listed < total, "subnets");
}

void splitIpv6(Report& report, const CidrBlock& block, uint8_t newPrefix, uint64_t limit)
{
    SubnetSplitter split(block, newPrefix);
    const std::string addresses = addresstext::powerOfTwoText(128u - newPrefix);
    const std::string suffix = "/" + std::to_string(newPrefix);
    // The keys of IPv4's rows: IPv6 has no broadcast, and every address is
    // a host's.
    report.beginTable({}, "subnets",
                      {{"network", "Network", addresstext::Ipv6MaxLength + suffix.size(), false,
                        Field::Show::Everywhere, true},
                       {"first", "First", addresstext::Ipv6MaxLength},
                       {"last", "Last", addresstext::Ipv6MaxLength},
                       {"broadcast", "", 0, false, Field::Show::DataOnly},
                       {"hosts", "", 0, true, Field::Show::DataOnly},
                       {"addresses", "Addresses", addresses.size(), true}});
    const CidrBlock shape{AddressFamily::IPv6, Uint128(), newPrefix};
    const Uint128 span = shape.last();
    uint64_t listed = 0;
    Uint128 network;
    while (listed < limit && split.next(network)) {
        const std::string texts[] = {addresstext::ipv6Text(network) + suffix,
                                     addresstext::ipv6Text(network),
                                     addresstext::ipv6Text(network + span)};
        const Cell cells[] = {{texts[0]},        {texts[1]},  {texts[2]},
                              {"", false, true}, {addresses}, {addresses}};
        report.row(cells);
        ++listed;
    }
    // Stopped by the limit if there is a subnet left.
    const bool limited = split.next(network);
    report.endTable(listed, Value::count(addresstext::powerOfTwoText(split.countBits())), limited,
                    "subnets");
}

} // namespace

int runSplit(Report& report, const CidrOptions& options, uint64_t limit)
{
    const ItemInput input(options.items, true, options.reading);
    if (!input.single())
        throw UsageError("--split: expected one network to split, such as "
                         "'zentrix-cli cidr 10.0.0.0/8 --split 28'");
    CidrBlock block;
    input.forEach([&block](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        if (read.kind == cidrtext::CidrItem::Kind::Range)
            throwBadToken(item.text, "a network to split with --split, not a range");
        block = read.block;
        if (!item.mask.empty()) {
            std::string expected;
            cidrtext::readIpv4Mask(item.mask, block.prefix, expected);
        }
    });

    // "/28" reads as 28, as the prefix is written after a network.
    std::string_view text = options.split;
    if (text.size() > 1 && text[0] == '/')
        text.remove_prefix(1);
    uint8_t newPrefix = 0;
    std::string expected;
    if (!cidrtext::readPrefix(text, block.family, newPrefix, expected) || newPrefix < block.prefix)
        throwBadToken(options.split, "a prefix length from " + std::to_string(block.prefix) +
                                         " to " + std::to_string(addressBits(block.family)) +
                                         " for --split (not shorter than the network's /" +
                                         std::to_string(block.prefix) + ")");
    if (block.family == AddressFamily::IPv4)
        splitIpv4(report, block, newPrefix, limit);
    else
        splitIpv6(report, block, newPrefix, limit);
    return 0;
}
