#include "ipaddress/Cidr.h"

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
        facts.hasBroadcast = true;
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
