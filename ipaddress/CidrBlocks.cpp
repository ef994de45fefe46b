#include "ipaddress/CidrBlocks.h"

#include <algorithm>

std::vector<CidrBlock> blocksOfRange(const AddressRange& range)
{
    const unsigned bits = addressBits(range.family);
    std::vector<CidrBlock> blocks;
    Uint128 first = range.first;
    while (true) {
        // The largest block that starts at `first` (its alignment) and does
        // not run past `last` (the room left, rest + 1 addresses).
        const Uint128 rest = range.last - first;
        const unsigned aligned = std::min(countTrailingZeros(first), bits);
        const unsigned fits =
            rest == allOnes(range.family) ? bits : bitLength(rest + Uint128(1)) - 1;
        const unsigned hostBits = std::min(aligned, fits);
        blocks.push_back({range.family, first, uint8_t(bits - hostBits)});
        const Uint128 span = allOnes(range.family) >> (bits - hostBits);
        if (range.last - first == span)
            return blocks;
        first = first + span + Uint128(1);
    }
}

std::vector<CidrBlock> summarize(std::vector<AddressRange> ranges)
{
    std::sort(ranges.begin(), ranges.end(), [](const AddressRange& a, const AddressRange& b) {
        if (a.family != b.family)
            return a.family == AddressFamily::IPv4;
        return a.first < b.first;
    });

    std::vector<CidrBlock> blocks;
    const auto emit = [&blocks](const AddressRange& merged) {
        const std::vector<CidrBlock> part = blocksOfRange(merged);
        blocks.insert(blocks.end(), part.begin(), part.end());
    };

    bool open = false;
    AddressRange merged;
    for (const AddressRange& range : ranges) {
        // Overlapping or adjacent: the range extends the one being merged.
        // (merged.last + 1 would wrap at the top of the address space.)
        if (open && range.family == merged.family &&
            (merged.last == allOnes(merged.family) || range.first <= merged.last + Uint128(1))) {
            merged.last = std::max(merged.last, range.last);
            continue;
        }
        if (open)
            emit(merged);
        merged = range;
        open = true;
    }
    if (open)
        emit(merged);
    return blocks;
}
