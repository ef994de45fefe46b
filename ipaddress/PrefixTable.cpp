#include "ipaddress/PrefixTable.h"

#include <algorithm>

namespace {

bool sortsBefore(const CidrBlock& a, const CidrBlock& b)
{
    if (a.family != b.family)
        return a.family == AddressFamily::IPv4;
    if (a.address != b.address)
        return a.address < b.address;
    return a.prefix < b.prefix;
}

bool holds(const CidrBlock& network, const AddressRange& range)
{
    return network.family == range.family && network.address <= range.first &&
           range.last <= network.last();
}

} // namespace

PrefixTable::PrefixTable(std::vector<CidrBlock> networks) : FNetworks(std::move(networks))
{
    for (CidrBlock& network : FNetworks)
        network.address = network.network();
    std::sort(FNetworks.begin(), FNetworks.end(), sortsBefore);
    FNetworks.erase(std::unique(FNetworks.begin(), FNetworks.end(),
                                [](const CidrBlock& a, const CidrBlock& b) {
                                    return a.family == b.family && a.address == b.address &&
                                           a.prefix == b.prefix;
                                }),
                    FNetworks.end());

    // Networks nest or lie apart, so in this order the ones that enclose
    // the next network are a stack.
    FParent.resize(FNetworks.size());
    std::vector<size_t> open;
    for (size_t i = 0; i < FNetworks.size(); ++i) {
        const CidrBlock& network = FNetworks[i];
        const AddressRange span{network.family, network.address, network.last()};
        while (!open.empty() && !holds(FNetworks[open.back()], span))
            open.pop_back();
        FParent[i] = open.empty() ? -1 : ptrdiff_t(open.back());
        open.push_back(i);
    }
}

const CidrBlock* PrefixTable::longestMatch(const AddressRange& range) const
{
    // The last network that starts at or before the range: if it does not
    // hold the range, only networks that enclose it can.
    const CidrBlock key{range.family, range.first, 255};
    const auto after = std::upper_bound(FNetworks.begin(), FNetworks.end(), key, sortsBefore);
    for (ptrdiff_t i = (after - FNetworks.begin()) - 1; i >= 0; i = FParent[size_t(i)]) {
        if (holds(FNetworks[size_t(i)], range))
            return &FNetworks[size_t(i)];
    }
    return nullptr;
}

std::vector<std::pair<size_t, size_t>> overlappingPairs(const std::vector<AddressRange>& ranges)
{
    std::vector<size_t> order(ranges.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&ranges](size_t a, size_t b) {
        const AddressRange& x = ranges[a];
        const AddressRange& y = ranges[b];
        if (x.family != y.family)
            return x.family == AddressFamily::IPv4;
        return x.first < y.first || (x.first == y.first && a < b);
    });

    // Sweeping by first address, the ranges still open (ending at or after
    // where the next one starts) are exactly the ones it meets.
    const auto endsLater = [&ranges](size_t a, size_t b) {
        return ranges[b].last < ranges[a].last;
    };
    std::vector<size_t> open; // a heap, the earliest end in front
    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t index : order) {
        const AddressRange& range = ranges[index];
        if (!open.empty() && ranges[open.front()].family != range.family)
            open.clear();
        while (!open.empty() && ranges[open.front()].last < range.first) {
            std::pop_heap(open.begin(), open.end(), endsLater);
            open.pop_back();
        }
        for (size_t other : open)
            pairs.emplace_back(std::min(index, other), std::max(index, other));
        open.push_back(index);
        std::push_heap(open.begin(), open.end(), endsLater);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}
