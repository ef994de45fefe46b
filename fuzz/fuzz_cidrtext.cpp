// Feeds arbitrary text to the classless readers and checks what they accept:
// the text they write back reads as the same block or range, and the blocks
// of a range, of a summary and of a split tile exactly the addresses they
// were made from, in order, each aligned to its own size.

#include "fuzz/FuzzSupport.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"

#include <vector>

namespace {

std::string addressText(AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? addresstext::ipv4Text(uint32_t(address.lo))
                                         : addresstext::ipv6Text(address);
}

std::string rangeText(const AddressRange& range)
{
    return addressText(range.family, range.first) + "-" + addressText(range.family, range.last);
}

// The blocks run from `first` to `last` without gap or overlap, each
// starting on a multiple of its size.
void checkTiling(const std::vector<CidrBlock>& blocks, const AddressRange& range,
                 const std::string& context)
{
    FUZZ_CHECK(!blocks.empty(), context);
    Uint128 next = range.first;
    for (const CidrBlock& block : blocks) {
        FUZZ_CHECK(block.family == range.family, context);
        FUZZ_CHECK(block.address == block.network(), context);
        FUZZ_CHECK(block.network() == next, context);
        next = block.last() + Uint128(1);
    }
    FUZZ_CHECK(blocks.back().last() == range.last, context);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    std::vector<AddressRange> ranges;
    std::string expected;
    while (!input.atEnd()) {
        const std::string text = input.text(90);

        CidrBlock block;
        if (cidrtext::readBlock(text, block, expected)) {
            const std::string written =
                addressText(block.family, block.address) + "/" + std::to_string(block.prefix);
            CidrBlock again;
            FUZZ_CHECK(cidrtext::readBlock(written, again, expected), text + " -> " + written);
            FUZZ_CHECK(again.family == block.family && again.address == block.address &&
                           again.prefix == block.prefix,
                       text + " -> " + written);
            FUZZ_CHECK(!addressType(block).empty(), text);

            // A split into at most 64 subnets covers the block exactly.
            const unsigned extra = input.byte() % 7;
            if (block.prefix + extra <= addressBits(block.family)) {
                SubnetSplitter split(block, uint8_t(block.prefix + extra));
                std::vector<CidrBlock> subnets;
                Uint128 network;
                while (split.next(network))
                    subnets.push_back({block.family, network, uint8_t(block.prefix + extra)});
                FUZZ_CHECK(subnets.size() == size_t(1) << extra, text);
                checkTiling(subnets, {block.family, block.network(), block.last()}, text);
            }
        }

        AddressRange range;
        if (cidrtext::readBlockOrRange(text, range, expected)) {
            FUZZ_CHECK(range.first <= range.last, text);
            AddressRange again;
            FUZZ_CHECK(cidrtext::readRange(rangeText(range), again, expected), text);
            FUZZ_CHECK(again.first == range.first && again.last == range.last, text);
            checkTiling(blocksOfRange(range), range, text);
            ranges.push_back(range);
        } else {
            FUZZ_CHECK(!expected.empty(), text);
        }
    }

    // A summary's blocks are disjoint, in order, and cover every range.
    const std::vector<CidrBlock> summary = summarize(ranges);
    for (size_t i = 1; i < summary.size(); ++i) {
        const CidrBlock& before = summary[i - 1];
        const CidrBlock& after = summary[i];
        if (before.family == after.family)
            FUZZ_CHECK(before.last() < after.network(), "summary out of order");
        else
            FUZZ_CHECK(before.family == AddressFamily::IPv4, "IPv6 before IPv4");
    }
    for (const AddressRange& range : ranges) {
        for (const Uint128 address : {range.first, range.last}) {
            bool covered = false;
            for (const CidrBlock& block : summary)
                covered = covered || block.contains(range.family, address);
            FUZZ_CHECK(covered, rangeText(range));
        }
    }
    return 0;
}
