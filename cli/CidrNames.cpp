// zentrix-cli cidr: longest-prefix match (--lookup ... --in), and reverse
// DNS (--reverse-zones, --ptr).

#include "cli/CidrModes.h"

#include "ipaddress/PrefixTable.h"
#include "ipaddress/ReverseZones.h"

namespace {

// Lines of text; in JSON an array, or for one item given as an argument
// that item's object.
TableStyle linesStyle(bool single = false)
{
    TableStyle style;
    style.text = TableStyle::Text::Lines;
    style.json = single ? TableStyle::Json::Single : TableStyle::Json::Array;
    return style;
}

} // namespace

int runLookup(Report& report, const CidrOptions& options)
{
    // The networks first, whole; then each item is answered as it is read.
    std::vector<CidrBlock> networks;
    ItemInput(options.in, false, options.reading).forEach([&networks](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        if (read.kind != cidrtext::CidrItem::Kind::Range) {
            networks.push_back(read.block);
            return;
        }
        RangeBlocks blocks(read.range);
        CidrBlock block;
        while (blocks.next(block))
            networks.push_back(block);
    });
    const PrefixTable table(std::move(networks));

    const ItemInput items(options.items, false, options.reading);
    report.beginTable({}, "matches", {{"item", "", 0}, {"match", "", 0}},
                      linesStyle(items.single()));
    bool allMatched = true;
    uint64_t count = 0;
    items.forEach([&](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        const CidrBlock* match = table.longestMatch(read.range);
        allMatched = allMatched && match;
        const std::string texts[] = {itemText(read), match ? cidrtext::networkText(*match) : "-"};
        const Cell cells[] = {{texts[0]}, {texts[1], false, !match}};
        report.row(cells);
        ++count;
    });
    report.endTable(count, Value::count(std::to_string(count)), false, "items");
    return allMatched ? 0 : 1;
}

int runReverseZones(Report& report, const CidrOptions& options)
{
    report.beginTable({}, "zones",
                      {{"network", "", 0, false, Field::Show::DataOnly},
                       {"zone", "", 0, false, Field::Show::Everywhere, true}},
                      linesStyle());
    uint64_t count = 0;
    const auto write = [&report, &count](const CidrBlock& network, const std::string& zone) {
        const std::string text = cidrtext::networkText(network);
        const Cell cells[] = {{text}, {zone}};
        report.row(cells);
        ++count;
    };
    ItemInput(options.items, false, options.reading).forEach([&](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        if (read.kind != cidrtext::CidrItem::Kind::Range) {
            reversezones::forEachZone(read.block, write);
            return;
        }
        RangeBlocks blocks(read.range);
        CidrBlock block;
        while (blocks.next(block))
            reversezones::forEachZone(block, write);
    });
    report.endTable(count, Value::count(std::to_string(count)), false, "zones");
    return 0;
}

int runPtr(Report& report, const CidrOptions& options)
{
    const ItemInput items(options.items, false, options.reading);
    report.beginTable({}, "names",
                      {{"address", "", 0, false, Field::Show::DataOnly},
                       {"ptr", "", 0, false, Field::Show::Everywhere, true}},
                      linesStyle(items.single()));
    uint64_t count = 0;
    items.forEach([&](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        if (read.kind != cidrtext::CidrItem::Kind::Address)
            throwBadToken(item.where(), item.text,
                          "an address for --ptr: a PTR record names one address");
        const std::string texts[] = {itemText(read),
                                     reversezones::ptrName(read.block.family, read.block.address)};
        const Cell cells[] = {{texts[0]}, {texts[1]}};
        report.row(cells);
        ++count;
    });
    report.endTable(count, Value::count(std::to_string(count)), false, "names");
    return 0;
}
