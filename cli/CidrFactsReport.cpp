// zentrix-cli cidr: the facts of networks and addresses, and whether a
// network holds an address or another network.

#include "cli/CidrModes.h"

#include "core/Text.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrFacts.h"

#include <algorithm>

namespace {

Value valueOf(const Fact& fact)
{
    switch (fact.kind) {
    case FactKind::Number:
        return Value::number(fact.text);
    case FactKind::Count:
        return Value::count(fact.text);
    case FactKind::Flag:
        return Value::boolean(fact.flag, fact.text);
    case FactKind::None:
        return Value::null();
    case FactKind::Text:
        break;
    }
    return Value::of(fact.text);
}

Field fieldOf(const Fact& fact)
{
    return {std::string(fact.key), std::string(fact.caption), valueOf(fact),
            fact.dataOnly ? Field::Show::DataOnly : Field::Show::Everywhere};
}

// People read the facts in the order of their family; programs get every
// key of either family in one order, null where this one has no value.
Record factsRecord(const CidrBlock& block, const std::string& zone, bool data)
{
    const std::vector<Fact> facts = cidrFacts(block, zone);
    Section section;
    if (!data) {
        for (const Fact& fact : facts)
            section.fields.push_back(fieldOf(fact));
        return {section};
    }
    for (std::string_view key : cidrFactKeys()) {
        const auto fact =
            std::find_if(facts.begin(), facts.end(), [key](const Fact& f) { return f.key == key; });
        section.fields.push_back(fact != facts.end() ? fieldOf(*fact)
                                                     : Field{std::string(key), std::string(),
                                                             Value::null(), Field::Show::DataOnly});
    }
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
    const ItemInput input(options.items, true, options.reading);
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
    report.beginRecords(std::move(keys), single);
    input.forEach([&report](const ItemText& item) {
        std::string zone;
        const cidrtext::CidrItem read = readNetworkItem(item, zone);
        if (read.kind == cidrtext::CidrItem::Kind::Range)
            throwBadToken(item.where(), item.text,
                          "an address or a network: a range lists its blocks when it is the only "
                          "input (or see --summarize)");
        report.addRecord(factsRecord(read.block, zone, report.dataFormat()));
    });
    report.endRecords();
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
            throw UsageError((item.where().empty() ? std::string() : item.where() + ": ") + "'" +
                             text::shownToken(item.text) +
                             "': expected one network to look in for --contains (several: see "
                             "--lookup ... --in)");
        container = readNetworkItem(item, containerZone);
    });
    if (count == 0)
        throw UsageError("--contains: expected a network to look in before it, such as "
                         "'zentrix-cli cidr 10.0.0.0/8 --contains 10.1.2.3'");

    const ItemInput probes(options.contains, false, options.reading);
    const std::string network = containerText(container, containerZone);
    const char* networkCaption =
        container.kind == cidrtext::CidrItem::Kind::Range ? "Range" : "Network";
    bool allInside = true;
    report.beginRecords({"network", "item", "contains"}, probes.single());
    probes.forEach([&](const ItemText& item) {
        std::string zone;
        const cidrtext::CidrItem probe = readCidrItem(item, &zone);
        // Zones name links: addresses of two links are not of one network.
        const bool sameLink = zone.empty() || containerZone.empty() || zone == containerZone;
        const bool inside = sameLink && probe.range.family == container.range.family &&
                            container.range.first <= probe.range.first &&
                            probe.range.last <= container.range.last;
        allInside = allInside && inside;
        report.addRecord(
            {{"",
              {{"network", networkCaption, Value::of(network)},
               {"item", probeCaption(probe.kind), Value::of(probeText(probe, zone))},
               {"contains", "Contains", Value::boolean(inside, inside ? "yes" : "no")}}}});
    });
    report.endRecords();
    return allInside ? 0 : 1;
}
