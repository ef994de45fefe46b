#include "ipaddress/CidrBlocks.h"

#include "ipaddress/AddressSet.h"

#include <algorithm>

bool RangeBlocks::next(CidrBlock& block)
{
    if (FDone)
        return false;
    if (FRange.family == AddressFamily::IPv4) {
        // The same in 64-bit arithmetic, where a range of all IPv4 fits: most
        // long lists are IPv4.
        const uint64_t first = FRange.first.lo, last = FRange.last.lo;
        const uint64_t room = last - first + 1;
        const unsigned aligned = first == 0 ? 32u : unsigned(__builtin_ctzll(first));
        const unsigned fits = 63u - unsigned(__builtin_clzll(room));
        const unsigned hostBits = std::min(aligned, fits);
        block = {AddressFamily::IPv4, Uint128(first), uint8_t(32 - hostBits)};
        const uint64_t after = first + (uint64_t(1) << hostBits);
        if (after > last)
            FDone = true;
        else
            FRange.first = Uint128(after);
        return true;
    }
    // The largest block that starts at `first` (its alignment) and does not
    // run past `last` (the room left, rest + 1 addresses).
    const AddressFamily family = FRange.family;
    const unsigned bits = addressBits(family);
    const Uint128 first = FRange.first;
    const Uint128 rest = FRange.last - first;
    const unsigned aligned = std::min(countTrailingZeros(first), bits);
    const unsigned fits = rest == allOnes(family) ? bits : bitLength(rest + Uint128(1)) - 1;
    const unsigned hostBits = std::min(aligned, fits);
    block = {family, first, uint8_t(bits - hostBits)};
    const Uint128 span = allOnes(family) >> (bits - hostBits);
    if (rest == span)
        FDone = true;
    else
        FRange.first = first + span + Uint128(1);
    return true;
}

std::vector<CidrBlock> blocksOfRange(const AddressRange& range)
{
    std::vector<CidrBlock> blocks;
    RangeBlocks cursor(range);
    CidrBlock block;
    while (cursor.next(block))
        blocks.push_back(block);
    return blocks;
}

std::vector<CidrBlock> summarize(std::vector<AddressRange> ranges)
{
    AddressSet set;
    for (const AddressRange& range : ranges)
        set.add(range);
    std::vector<CidrBlock> blocks;
    const std::unique_ptr<RangeCursor> merged = set.ranges();
    AddressRange range;
    while (merged->next(range)) {
        const std::vector<CidrBlock> part = blocksOfRange(range);
        blocks.insert(blocks.end(), part.begin(), part.end());
    }
    return blocks;
}
