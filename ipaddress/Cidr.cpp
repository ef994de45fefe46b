#include "ipaddress/Cidr.h"

namespace {

struct SpecialBlock
{
    AddressFamily family;
    Uint128 network;
    uint8_t prefix;
    const char* type;
};

constexpr Uint128 v4(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return Uint128(uint64_t(a) << 24 | uint64_t(b) << 16 | uint64_t(c) << 8 | d);
}

constexpr Uint128 v6(uint64_t high, uint64_t low = 0)
{
    return Uint128(high, low);
}

constexpr AddressFamily V4 = AddressFamily::IPv4;
constexpr AddressFamily V6 = AddressFamily::IPv6;

// More specific blocks come before the blocks that hold them: the first
// block that contains a network names it.
const SpecialBlock specialBlocks[] = {
    {V4, v4(255, 255, 255, 255), 32, "limited broadcast"},
    {V4, v4(0, 0, 0, 0), 8, "reserved"},
    {V4, v4(10, 0, 0, 0), 8, "private"},
    {V4, v4(100, 64, 0, 0), 10, "shared"},
    {V4, v4(127, 0, 0, 0), 8, "loopback"},
    {V4, v4(169, 254, 0, 0), 16, "link-local"},
    {V4, v4(172, 16, 0, 0), 12, "private"},
    {V4, v4(192, 0, 0, 0), 24, "reserved"},
    {V4, v4(192, 0, 2, 0), 24, "documentation"},
    {V4, v4(192, 168, 0, 0), 16, "private"},
    {V4, v4(198, 18, 0, 0), 15, "benchmarking"},
    {V4, v4(198, 51, 100, 0), 24, "documentation"},
    {V4, v4(203, 0, 113, 0), 24, "documentation"},
    {V4, v4(224, 0, 0, 0), 4, "multicast"},
    {V4, v4(240, 0, 0, 0), 4, "reserved"},

    {V6, v6(0, 0), 128, "unspecified"},
    {V6, v6(0, 1), 128, "loopback"},
    {V6, v6(0, 0x0000FFFF00000000u), 96, "IPv4-mapped"},
    {V6, v6(0x20010DB800000000u), 32, "documentation"},
    {V6, v6(0x3FFF000000000000u), 20, "documentation"},
    {V6, v6(0x2000000000000000u), 3, "global unicast"},
    {V6, v6(0xFC00000000000000u), 7, "unique local"},
    {V6, v6(0xFE80000000000000u), 10, "link-local"},
    {V6, v6(0xFF00000000000000u), 8, "multicast"},
};

} // namespace

Uint128 allOnes(AddressFamily family)
{
    return family == AddressFamily::IPv4 ? Uint128(0xFFFFFFFFu) : Uint128::max();
}

Uint128 prefixMask(AddressFamily family, unsigned prefix)
{
    // Shifting the family's ones right by the prefix leaves the host part.
    return allOnes(family) & ~(allOnes(family) >> prefix);
}

std::string addressType(const CidrBlock& block)
{
    const Uint128 first = block.network();
    const Uint128 last = block.last();
    for (const SpecialBlock& special : specialBlocks) {
        if (special.family != block.family)
            continue;
        const CidrBlock known{special.family, special.network, special.prefix};
        const Uint128 knownFirst = known.network();
        const Uint128 knownLast = known.last();
        if (knownFirst <= first && last <= knownLast)
            return special.type;
        // A more specific block inside this network, or one that starts in
        // it: the network holds addresses of more than one kind.
        if (knownFirst <= last && first <= knownLast)
            return "mixed";
    }
    return block.family == AddressFamily::IPv4 ? "public" : "reserved";
}

char historicalClass(uint32_t address)
{
    const uint32_t first = address >> 24;
    if (first < 128)
        return 'A';
    if (first < 192)
        return 'B';
    if (first < 224)
        return 'C';
    if (first < 240)
        return 'D';
    return 'E';
}

Ipv4Facts ipv4Facts(uint32_t address, uint8_t prefix)
{
    Ipv4Facts facts;
    facts.address = address;
    facts.prefix = prefix;
    facts.mask = prefix == 0 ? 0 : uint32_t(0xFFFFFFFFu << (32 - prefix));
    facts.wildcard = ~facts.mask;
    facts.network = address & facts.mask;
    facts.broadcast = address | facts.wildcard;
    facts.addresses = uint64_t(1) << (32 - prefix);
    if (prefix >= 31) {
        facts.firstHost = facts.network;
        facts.lastHost = facts.broadcast;
        facts.usableHosts = facts.addresses;
    } else {
        facts.firstHost = facts.network + 1;
        facts.lastHost = facts.broadcast - 1;
        facts.usableHosts = facts.addresses - 2;
    }
    return facts;
}

SubnetSplitter::SubnetSplitter(const CidrBlock& block, uint8_t newPrefix)
    : FNext(block.network()), FSpan(allOnes(block.family) & ~prefixMask(block.family, newPrefix)),
      FLast(block.last()), FCountBits(unsigned(newPrefix - block.prefix))
{
}

bool SubnetSplitter::next(Uint128& network)
{
    if (FDone)
        return false;
    network = FNext;
    // The last subnet ends where the block ends; stepping past it could wrap
    // to 0 at the top of the address space. (A subnet's size, the span plus
    // one, is 2^128 for ::/0 and not a Uint128: hence the span.)
    if (FLast - FNext <= FSpan)
        FDone = true;
    else
        FNext = FNext + FSpan + Uint128(1);
    return true;
}
