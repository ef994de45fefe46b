// zentrix-cli cidr: listings. The subnets of a network (--split), the
// blocks of a range, and prefix sets: --summarize, --exclude, --intersect,
// --diff and --overlaps. Sets are read item by item into an AddressSet and
// written block by block as they are computed.

#include "cli/CidrModes.h"

#include "ipaddress/AddressSet.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/PrefixTable.h"

#include <algorithm>
#include <array>

namespace {

// The decimal texts of 2^0 to 2^128: every block's address count.
const std::array<std::string, 129>& powersOfTwo()
{
    static const std::array<std::string, 129> texts = [] {
        std::array<std::string, 129> t;
        for (unsigned n = 0; n <= 128; ++n)
            t[n] = addresstext::powerOfTwoText(n);
        return t;
    }();
    return texts;
}

char* writeAddress(char* out, AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? addresstext::writeIpv4(out, uint32_t(address.lo))
                                         : addresstext::writeIpv6(out, address);
}

// How large the blocks of a listing can be, for the width of its count
// column: no block holds more addresses than the listing's input in its
// family, nor more than the family. Sums that pass 2^128 hold the family.
struct ListBounds
{
    bool present[2] = {false, false}; // IPv4, IPv6
    Uint128 sum[2];
    bool whole[2] = {false, false};

    void add(const AddressRange& range)
    {
        const size_t f = range.family == AddressFamily::IPv4 ? 0 : 1;
        present[f] = true;
        const Uint128 size = range.last - range.first + Uint128(1); // 0: all of IPv6
        const Uint128 before = sum[f];
        sum[f] = sum[f] + size;
        whole[f] = whole[f] || size.isZero() || sum[f] < before;
    }

    void add(const ListBounds& other)
    {
        for (size_t f = 0; f < 2; ++f) {
            present[f] = present[f] || other.present[f];
            whole[f] = whole[f] || other.whole[f];
            sum[f] = std::max(sum[f], other.sum[f]);
        }
    }

    bool ipv6() const { return present[1]; }

    // The digits of the largest count a block can have.
    size_t countWidth() const
    {
        unsigned largest = 0;
        for (size_t f = 0; f < 2; ++f) {
            const unsigned bits = f == 0 ? 32 : 128;
            if (present[f])
                largest =
                    std::max(largest, whole[f] ? bits : std::min(bits, bitLength(sum[f]) - 1));
        }
        return powersOfTwo()[largest].size();
    }
};

// A table of blocks: network, first and last address, address count, and
// for --diff the side each comes from.
class BlockTable
{
public:
    BlockTable(Report& report, const ListBounds& bounds, bool sides, TableStyle style)
        : FReport(report), FSides(sides)
    {
        const size_t width =
            bounds.ipv6() ? addresstext::Ipv6MaxLength : addresstext::Ipv4MaxLength;
        std::vector<Column> columns;
        if (sides) {
            columns.push_back({"", "", 1, false, Field::Show::TextOnly});
            columns.push_back({"side", "", 0, false, Field::Show::CsvOnly});
        }
        columns.push_back({"network", "Network", width + 4, false, Field::Show::Everywhere, true});
        columns.push_back({"first", "First", width});
        columns.push_back({"last", "Last", width});
        columns.push_back({"addresses", "Addresses", bounds.countWidth(), true});
        report.beginTable({}, sides ? "only_a" : "blocks", std::move(columns), style);
    }

    void row(const CidrBlock& block, const char* marker = "", const char* side = "")
    {
        // The blocks of a range start aligned: the address is the network
        // and the first address, written once.
        char* p = FBuffer;
        char* const network = p;
        p = writeAddress(p, block.family, block.address);
        const size_t addressLength = size_t(p - network);
        *p++ = '/';
        p = writeUnsigned(p, block.prefix);
        char* const first = p;
        p = std::copy(network, network + addressLength, p);
        char* const last = p;
        if (block.family == AddressFamily::IPv4) {
            const unsigned hostBits = block.hostBits();
            const uint32_t span = hostBits >= 32 ? ~uint32_t(0) : (uint32_t(1) << hostBits) - 1;
            p = addresstext::writeIpv4(p, uint32_t(block.address.lo) | span);
        } else {
            p = writeAddress(p, block.family, block.last());
        }
        const std::string& count = powersOfTwo()[block.hostBits()];
        const Cell blockCells[] = {{std::string_view(network, size_t(first - network))},
                                   {std::string_view(first, size_t(last - first))},
                                   {std::string_view(last, size_t(p - last))},
                                   {count}};
        if (!FSides) {
            FReport.row(blockCells);
            return;
        }
        const Cell cells[] = {{marker},      {side},        blockCells[0],
                              blockCells[1], blockCells[2], blockCells[3]};
        FReport.row(cells);
    }

private:
    static char* writeUnsigned(char* out, unsigned value)
    {
        if (value >= 100)
            *out++ = char('0' + value / 100);
        if (value >= 10)
            *out++ = char('0' + value / 10 % 10);
        *out++ = char('0' + value % 10);
        return out;
    }

    Report& FReport;
    bool FSides;
    char FBuffer[3 * addresstext::Ipv6MaxLength + 8];
};

// Writes the blocks of every range of the cursor, at most `limit`; returns
// how many blocks there are in all.
uint64_t writeBlocks(RangeCursor& ranges, BlockTable& table, uint64_t limit,
                     const char* marker = "", const char* side = "")
{
    uint64_t count = 0;
    AddressRange range;
    while (ranges.next(range)) {
        RangeBlocks blocks(range);
        CidrBlock block;
        while (blocks.next(block)) {
            if (count++ < limit)
                table.row(block, marker, side);
        }
    }
    return count;
}

// The items of a list into a set.
void readSet(const std::vector<std::string>& arguments, ItemReading* reading, AddressSet& set,
             ListBounds& bounds)
{
    ItemInput(arguments, false, reading).forEach([&set, &bounds](const ItemText& item) {
        const cidrtext::CidrItem read = readCidrItem(item);
        set.add(read.range);
        bounds.add(read.range);
    });
}

int endBlocks(Report& report, uint64_t listed, uint64_t total)
{
    report.endTable(listed, Value::count(std::to_string(total)), listed < total, "blocks");
    return 0;
}

} // namespace

int listRange(Report& report, const AddressRange& range, uint64_t limit)
{
    ListBounds bounds;
    bounds.add(range);
    BlockTable table(report, bounds, false, {});
    RangeBlocks blocks(range);
    CidrBlock block;
    uint64_t total = 0;
    while (blocks.next(block)) {
        if (total++ < limit)
            table.row(block);
    }
    return endBlocks(report, std::min(total, limit), total);
}

int runSetOperation(Report& report, const CidrOptions& options, uint64_t limit)
{
    AddressSet a;
    ListBounds bounds;
    readSet(options.items, options.reading, a, bounds);
    if (options.summarize) {
        BlockTable table(report, bounds, false, {});
        const uint64_t total = writeBlocks(*a.ranges(), table, limit);
        return endBlocks(report, std::min(total, limit), total);
    }

    const std::vector<std::string>& other = !options.exclude.empty()     ? options.exclude
                                            : !options.intersect.empty() ? options.intersect
                                                                         : options.diff;
    AddressSet b;
    ListBounds boundsOfB;
    readSet(other, options.reading, b, boundsOfB);
    const std::unique_ptr<RangeCursor> rangesOfA = a.ranges();
    const std::unique_ptr<RangeCursor> rangesOfB = b.ranges();

    if (options.diff.empty()) {
        BlockTable table(report, bounds, false, {});
        const std::unique_ptr<RangeCursor> result = options.exclude.empty()
                                                        ? intersectionOf(*rangesOfA, *rangesOfB)
                                                        : differenceOf(*rangesOfA, *rangesOfB);
        const uint64_t total = writeBlocks(*result, table, limit);
        return endBlocks(report, std::min(total, limit), total);
    }

    // --diff: what only A holds, then what only B holds.
    bounds.add(boundsOfB);
    TableStyle style;
    style.json = TableStyle::Json::Parts;
    BlockTable table(report, bounds, true, style);
    const uint64_t onlyA =
        writeBlocks(*differenceOf(*rangesOfA, *rangesOfB), table, UINT64_MAX, "-", "only_a");
    report.nextPart("only_b");
    const std::unique_ptr<RangeCursor> againA = a.ranges();
    const std::unique_ptr<RangeCursor> againB = b.ranges();
    const uint64_t onlyB =
        writeBlocks(*differenceOf(*againB, *againA), table, UINT64_MAX, "+", "only_b");
    report.endTable(onlyA + onlyB, Value::count(std::to_string(onlyA + onlyB)), false, "blocks");
    return onlyA + onlyB == 0 ? 0 : 1;
}

int runOverlaps(Report& report, const CidrOptions& options)
{
    // The items as given, one after the other in one string.
    std::vector<AddressRange> ranges;
    std::string texts;
    std::vector<size_t> ends;
    ItemInput(options.items, false, options.reading).forEach([&](const ItemText& item) {
        ranges.push_back(readCidrItem(item).range);
        texts.append(item.text);
        ends.push_back(texts.size());
    });
    const auto textOf = [&](size_t i) {
        const size_t start = i == 0 ? 0 : ends[i - 1];
        return std::string_view(texts).substr(start, ends[i] - start);
    };

    TableStyle style;
    style.text = TableStyle::Text::Lines;
    style.json = TableStyle::Json::Array;
    style.rowsAsArrays = true;
    report.beginTable({}, "overlaps", {{"a", "", 0}, {"b", "", 0}}, style);
    const std::vector<std::pair<size_t, size_t>> pairs = overlappingPairs(ranges);
    for (const auto& [first, second] : pairs) {
        const Cell cells[] = {{textOf(first)}, {textOf(second)}};
        report.row(cells);
    }
    report.endTable(pairs.size(), Value::count(std::to_string(pairs.size())), false, "pairs");
    return pairs.empty() ? 0 : 1;
}
