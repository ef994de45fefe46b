#pragma once

#include "ipaddress/Uint128.h"

#include <cstdint>
#include <string>

// Classless networks of both families: an address with a prefix length, and
// what network engineers ask of one. IPv4 addresses are held in the low 32
// bits of a Uint128, so one set of block arithmetic serves both families.

enum class AddressFamily
{
    IPv4,
    IPv6,
};

constexpr unsigned addressBits(AddressFamily family)
{
    return family == AddressFamily::IPv4 ? 32 : 128;
}

// All ones over the family's width. (Inline, as the masks below: listings
// ask them of every block.)
inline Uint128 allOnes(AddressFamily family)
{
    return family == AddressFamily::IPv4 ? Uint128(0xFFFFFFFFu) : Uint128::max();
}

// `prefix` leading one-bits within the family's width.
inline Uint128 prefixMask(AddressFamily family, unsigned prefix)
{
    // Shifting the family's ones right by the prefix leaves the host part.
    return allOnes(family) & ~(allOnes(family) >> prefix);
}

struct CidrBlock
{
    AddressFamily family = AddressFamily::IPv4;
    Uint128 address; // as given: host bits may be set
    uint8_t prefix = 0;

    unsigned hostBits() const { return addressBits(family) - prefix; }
    Uint128 network() const { return address & prefixMask(family, prefix); }
    Uint128 last() const { return address | (allOnes(family) & ~prefixMask(family, prefix)); }
    bool contains(AddressFamily otherFamily, Uint128 other) const
    {
        return otherFamily == family && network() <= other && other <= last();
    }
};

// The type word of a block: addressKind(block).type (ipaddress/AddressRegistry.h).
std::string addressType(const CidrBlock& block);

// The classful class letter of an IPv4 address by its first octet, A to E.
char historicalClass(uint32_t address);

// IPv4 facts, with /31 and /32 counted as point-to-point links (RFC 3021)
// and host routes are: both addresses of a /31 are hosts, and the one
// address of a /32 is its own first and last host; neither has a broadcast
// address.
struct Ipv4Facts
{
    uint32_t address = 0;
    uint8_t prefix = 0;
    uint32_t network = 0;
    uint32_t broadcast = 0;    // the last address of the block
    bool hasBroadcast = false; // below /31 only
    uint32_t firstHost = 0;
    uint32_t lastHost = 0;
    uint64_t usableHosts = 0;
    uint64_t addresses = 0;
    uint32_t mask = 0;
    uint32_t wildcard = 0;
};
Ipv4Facts ipv4Facts(uint32_t address, uint8_t prefix);

// The subnets of `block` with the longer prefix `newPrefix`, in order, as a
// cursor: while (split.next(network)) ...  It keeps no list, so any count
// can be walked.
class SubnetSplitter
{
public:
    SubnetSplitter(const CidrBlock& block, uint8_t newPrefix);

    bool next(Uint128& network);
    // 2^(newPrefix - prefix) as a bit count: the number of subnets is
    // 2^countBits.
    unsigned countBits() const { return FCountBits; }

private:
    Uint128 FNext;
    Uint128 FSpan; // the size of one subnet, minus one
    Uint128 FLast;
    unsigned FCountBits;
    bool FDone = false;
};
