// zentrix-cli cidr: the facts of networks and addresses, and whether a
// network holds an address or another network.

#include "cli/CidrModes.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrFacts.h"

namespace {

Value valueOf(const Fact& fact)
{
    switch (fact.kind) {
    case FactKind::Number:
        return {Value::Kind::Integer, fact.text, false};
    case FactKind::Count:
        return Value::Count(fact.text);
    case FactKind::Flag:
        return Value::Flag(fact.flag, fact.text);
    case FactKind::None:
        return Value::Null();
    case FactKind::Text:
        break;
    }
    return Value::Of(fact.text);
}

Record factsRecord(const CidrBlock& block, const std::string& zone)
{
    Section section;
    for (const Fact& fact : cidrFacts(block, zone))
        section.fields.push_back({std::string(fact.key), std::string(fact.caption), valueOf(fact),
                                  fact.dataOnly ? Field::Show::DataOnly : Field::Show::Everywhere});
    return {section};
}

// A network given as ADDRESS MASK, or any item: the mask applies to an
// IPv4 address only, and ItemInput pairs only those.
cidrtext::CidrItem readNetworkItem(const ItemText& item, std::string& zone)
{
    cidrtext::CidrItem read = readCidrItem(item, &zone);
    if (!item.mask.empty()) {
        std::string expected;
        cidrtext::readIpv4Mask(item.mask, read.block.prefix, expected);
        read.kind = cidrtext::CidrItem::Kind::Network;
        read.range = {read.block.family, read.block.network(), read.block.last()};
    }
    return read;
}

std::string zoned(const std::string& address, const std::string& zone)
{
    return zone.empty() ? address : address + "%" + zone;
}

// A network or range as --contains names it, with its zone.
std::string containerText(const cidrtext::CidrItem& item, const std::string& zone)
{
    if (item.kind == cidrtext::CidrItem::Kind::Range)
        return itemText(item);
    return zoned(cidrtext::addressText(item.block.family, item.block.network()), zone) + "/" +
           std::to_string(item.block.prefix);
}

std::string probeText(const cidrtext::CidrItem& item, const std::string& zone)
{
    if (item.kind == cidrtext::CidrItem::Kind::Address)
        return zoned(cidrtext::addressText(item.block.family, item.block.address), zone);
    return containerText(item, zone);
}

const char* probeCaption(cidrtext::CidrItem::Kind kind)
{
    switch (kind) {
    case cidrtext::CidrItem::Kind::Network:
        return "Subnet";
    case cidrtext::CidrItem::Kind::Range:
        return "Sub-range";
    case cidrtext::CidrItem::Kind::Address:
        break;
    }
    return "Address";
}

} // namespace

int runFacts(Report& report, const CidrOptions& options, uint64_t limit)
{
    const ItemInput input(options.items, true);
    const bool single = input.single();
    if (single && !options.items.empty()) {
        // One range on its own lists the blocks that cover it.
        cidrtext::CidrItem item;
        std::string expected;
        if (cidrtext::readItem(options.items[0], item, expected) &&
            item.kind == cidrtext::CidrItem::Kind::Range)
            return listRange(report, item.range, limit);
    }
    if (!options.limit.empty())
        throw UsageError("--limit: expected a listing to cut (--split, --summarize, --exclude, "
                         "--intersect or a range), not the facts of a network");

    std::vector<std::string> keys;
    for (std::string_view key : cidrFactKeys())
        keys.emplace_back(key);
    report.BeginRecords(std::move(keys), single);
    input.forEach([&report](const ItemText& item) {
        std::string zone;
        const cidrtext::CidrItem read = readNetworkItem(item, zone);
        if (read.kind == cidrtext::CidrItem::Kind::Range)
            throwBadToken(item.where(), item.text,
                          "an address or a network: a range lists its blocks when it is the only "
                          "input (or see --summarize)");
        report.AddRecord(factsRecord(read.block, zone));
    });
    report.EndRecords();
    return 0;
}

int runContains(Report& report, const CidrOptions& options)
{
    // The network (or range) looked in: one item, as for the facts.
    const ItemInput networks(options.items, true);
    cidrtext::CidrItem container;
    std::string containerZone;
    size_t count = 0;
    networks.forEach([&](const ItemText& item) {
        if (++count == 2)
            throwBadToken(item.where(), item.text,
                          "one network to look in for --contains (several: see --lookup ... --in)");
        container = readNetworkItem(item, containerZone);
    });
    if (count == 0)
        throw UsageError("--contains: expected a network to look in before it, such as "
                         "'zentrix-cli cidr 10.0.0.0/8 --contains 10.1.2.3'");

    const ItemInput probes(options.contains, false);
    const std::string network = containerText(container, containerZone);
    const char* networkCaption =
        container.kind == cidrtext::CidrItem::Kind::Range ? "Range" : "Network";
    bool allInside = true;
    report.BeginRecords({"network", "item", "contains"}, probes.single());
    probes.forEach([&](const ItemText& item) {
        std::string zone;
        const cidrtext::CidrItem probe = readCidrItem(item, &zone);
        // Zones name links: addresses of two links are not of one network.
        const bool sameLink = zone.empty() || containerZone.empty() || zone == containerZone;
        const bool inside = sameLink && probe.range.family == container.range.family &&
                            container.range.first <= probe.range.first &&
                            probe.range.last <= container.range.last;
        allInside = allInside && inside;
        report.AddRecord(
            {{"",
              {{"network", networkCaption, Value::Of(network)},
               {"item", probeCaption(probe.kind), Value::Of(probeText(probe, zone))},
               {"contains", "Contains", Value::Flag(inside, inside ? "yes" : "no")}}}});
    });
    report.EndRecords();
    return allInside ? 0 : 1;
}
