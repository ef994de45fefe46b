#pragma once

#include "ipaddress/Cidr.h"

#include <vector>

// Ranges of addresses and the fewest CIDR blocks that cover them exactly.

struct AddressRange
{
    AddressFamily family = AddressFamily::IPv4;
    Uint128 first;
    Uint128 last; // inclusive
};

// The fewest blocks whose union is exactly first..last, in address order,
// one at a time: while (blocks.next(block)) ...
class RangeBlocks
{
public:
    explicit RangeBlocks(const AddressRange& range) : FRange(range) {}
    bool next(CidrBlock& block);

private:
    AddressRange FRange;
    bool FDone = false;
};

// The same as a list. An IPv4 range needs at most 62 blocks and an IPv6
// range at most 254.
std::vector<CidrBlock> blocksOfRange(const AddressRange& range);

// The fewest blocks that cover exactly the union of the ranges (overlapping
// and adjacent ranges merge): IPv4 blocks first, each family in address
// order.
std::vector<CidrBlock> summarize(std::vector<AddressRange> ranges);
