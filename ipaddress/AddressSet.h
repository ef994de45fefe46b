#pragma once

#include "ipaddress/CidrBlocks.h"

#include <memory>
#include <vector>

// Something that hands out address ranges one at a time, in order (IPv4
// before IPv6, each family by address), none touching or overlapping the
// one before: the shape every prefix-set operation reads and writes.
class RangeCursor
{
public:
    virtual ~RangeCursor() = default;
    virtual bool next(AddressRange& range) = 0;
};

// A set of IPv4 and IPv6 addresses built from ranges given in any order,
// for route tables of millions of entries: an IPv4 range takes 8 bytes and
// an IPv6 one 32. The ranges are sorted (IPv4 by radix) and merged whenever
// they have doubled since the last merge, so repeats never pile up, and once
// more when the set is read.
class AddressSet
{
public:
    AddressSet();
    ~AddressSet();
    AddressSet(AddressSet&&) noexcept;
    AddressSet& operator=(AddressSet&&) noexcept;

    void add(const AddressRange& range);
    void addIpv4(uint32_t first, uint32_t last);
    void addIpv6(Uint128 first, Uint128 last);

    bool empty() const;
    bool holds(AddressFamily family) const;

    // The set as disjoint, non-adjacent ranges in order. The set may not
    // change while a cursor reads it.
    std::unique_ptr<RangeCursor> ranges();

private:
    struct Storage;
    std::unique_ptr<Storage> FStorage;
};

// Set operations on two cursors, as cursors: each reads its inputs once.
std::unique_ptr<RangeCursor> differenceOf(RangeCursor& a, RangeCursor& b);   // a minus b
std::unique_ptr<RangeCursor> intersectionOf(RangeCursor& a, RangeCursor& b); // a and b
