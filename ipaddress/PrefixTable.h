#pragma once

#include "ipaddress/CidrBlocks.h"

#include <cstddef>
#include <utility>
#include <vector>

// Longest-prefix match: which of a list of networks holds an address (or a
// whole network or range) most specifically, as a router picks a route.
// Built once, then each question costs a binary search and a walk up the
// few networks that enclose one another.
class PrefixTable
{
public:
    // Host bits are dropped; a network given twice counts once.
    explicit PrefixTable(std::vector<CidrBlock> networks);

    // The most specific network that holds every address of `range`, or
    // nullptr when none does.
    const CidrBlock* longestMatch(const AddressRange& range) const;

private:
    std::vector<CidrBlock> FNetworks; // by family, then address, shorter prefix first
    std::vector<ptrdiff_t> FParent;   // the nearest network that encloses each, or -1
};

// Every pair of ranges that share at least one address, as indexes into
// `ranges` (the earlier first), ordered by the first index, then the second.
std::vector<std::pair<size_t, size_t>> overlappingPairs(const std::vector<AddressRange>& ranges);
