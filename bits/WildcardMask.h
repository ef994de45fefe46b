#pragma once

#include "bits/WordViews.h"
#include "ipaddress/Cidr.h"

#include <string>
#include <string_view>

// An address with an ACL wildcard mask, as routers read them: a one-bit of
// the wildcard means "any value here", a zero-bit "as in the address".
// The ones need not be contiguous (Cisco's IP ACL documentation: "Wildcard
// bits set to one do not need to be contiguous ... 0.255.0.64 would be
// valid"), so a wildcard with k ones matches 2^k addresses.
struct WildcardMask
{
    AddressFamily family = AddressFamily::IPv4;
    Uint128 address; // as given: bits under the wildcard may be set
    Uint128 wildcard;

    unsigned width() const { return addressBits(family); }
    Uint128 first() const { return address & ~wildcard & allOnes(family); }
    Uint128 last() const { return address | wildcard; }
    bool matches(Uint128 other) const
    {
        return ((other ^ address) & ~wildcard & allOnes(family)).isZero();
    }
    // The matching addresses number 2^matchBits().
    unsigned matchBits() const;

    // The shortest list of CIDR blocks that match exactly the same set:
    // each block takes the wildcard's run of ones from bit 0 as its host
    // part, and there is one for every value of the other ones, in address
    // order. No list is shorter: a block inside the set can have no more
    // host bits than that run, so the set needs at least 2^ones / 2^run of
    // them. A contiguous wildcard is a single block.
    unsigned blockHostBits() const;
    uint8_t blockPrefix() const { return uint8_t(width() - blockHostBits()); }
    // The blocks number 2^blockCountBits().
    unsigned blockCountBits() const { return matchBits() - blockHostBits(); }
    // The block at `index` (0 to 2^blockCountBits() - 1) in address order.
    CidrBlock blockAt(Uint128 index) const;

    // A wildcard shaped like a netmask (ones, then zeros, as 255.255.255.0)
    // is most likely a netmask typed where a wildcard belongs; the wildcard
    // of that netmask is its complement. All zeros and all ones are the
    // usual "this host" and "any", and are no netmask here.
    bool looksLikeNetmask() const;
    uint8_t netmaskPrefix() const { return uint8_t(width() - countTrailingZeros(wildcard)); }
    Uint128 netmaskWildcard() const { return ~wildcard & allOnes(family); }
};

// Streams the blocks of a wildcard mask in address order, one at a time,
// in constant memory however many there are: while (blocks.next(block)) ...
class WildcardBlocks
{
public:
    explicit WildcardBlocks(const WildcardMask& mask);
    bool next(CidrBlock& block);

private:
    WildcardMask FMask;
    Uint128 FChoices; // the wildcard's ones above the blocks' host part
    Uint128 FNext;    // the next value of those ones
    bool FDone = false;
};

// Reads an address and its wildcard, both IPv4 or both IPv6. Raises
// EZentrixError naming the text that is wrong.
WildcardMask readWildcardMask(std::string_view address, std::string_view wildcard);
// An address of the mask's family, to test against it.
Uint128 readAddressOf(const WildcardMask& mask, std::string_view text);
std::string addressText(AddressFamily family, Uint128 address);

// The facts of a wildcard mask as records of named fields: the address and
// wildcard, how many addresses match, the first and the last, how many
// CIDR blocks the list has and their prefix, whether the wildcard is
// contiguous, and for a wildcard in a netmask's shape, that netmask and the
// wildcard it would give.
ViewFields wildcardViews(const WildcardMask& mask);
