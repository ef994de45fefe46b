#include "ipaddress/AddressRegistry.h"

#include "ipaddress/AddressText.h"

#include <algorithm>

namespace {

// The registry's "Globally Reachable" column; Unlisted for what no entry of
// it holds (multicast), which counts as reachable.
enum class Reach
{
    Yes,
    No,
    NotApplicable,
    Unlisted,
};

struct RegistryEntry
{
    AddressFamily family;
    Uint128 network;
    uint8_t prefix;
    const char* type;
    Reach reach;
    bool privateUse;
};

constexpr Uint128 v4(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return Uint128(uint64_t(a) << 24 | uint64_t(b) << 16 | uint64_t(c) << 8 | d);
}

// The first four groups of an IPv6 address, and the last four.
constexpr Uint128 v6(uint64_t high, uint64_t low = 0)
{
    return Uint128(high, low);
}

constexpr AddressFamily V4 = AddressFamily::IPv4;
constexpr AddressFamily V6 = AddressFamily::IPv6;
constexpr Reach Y = Reach::Yes;
constexpr Reach N = Reach::No;
constexpr Reach NA = Reach::NotApplicable;

// In the registries' order; nesting is found by comparing the blocks, not
// by this order.
const RegistryEntry registry[] = {
    {V4, v4(0, 0, 0, 0), 8, "this network", N, false},
    {V4, v4(10, 0, 0, 0), 8, "private", N, true},
    {V4, v4(100, 64, 0, 0), 10, "shared", N, false},
    {V4, v4(127, 0, 0, 0), 8, "loopback", N, false},
    {V4, v4(169, 254, 0, 0), 16, "link-local", N, false},
    {V4, v4(172, 16, 0, 0), 12, "private", N, true},
    {V4, v4(192, 0, 0, 0), 24, "protocol assignments", N, false},
    {V4, v4(192, 0, 0, 9), 32, "PCP anycast", Y, false},
    {V4, v4(192, 0, 0, 10), 32, "TURN anycast", Y, false},
    {V4, v4(192, 0, 2, 0), 24, "documentation", N, false},
    {V4, v4(192, 31, 196, 0), 24, "AS112", Y, false},
    {V4, v4(192, 52, 193, 0), 24, "AMT", Y, false},
    {V4, v4(192, 88, 99, 0), 24, "6to4 relay anycast", NA, false},
    {V4, v4(192, 168, 0, 0), 16, "private", N, true},
    {V4, v4(192, 175, 48, 0), 24, "AS112", Y, false},
    {V4, v4(198, 18, 0, 0), 15, "benchmarking", N, false},
    {V4, v4(198, 51, 100, 0), 24, "documentation", N, false},
    {V4, v4(203, 0, 113, 0), 24, "documentation", N, false},
    {V4, v4(240, 0, 0, 0), 4, "reserved", N, false},
    {V4, v4(255, 255, 255, 255), 32, "limited broadcast", N, false},
    {V4, v4(224, 0, 0, 0), 4, "multicast", Reach::Unlisted, false},

    {V6, v6(0, 1), 128, "loopback", N, false},
    {V6, v6(0, 0), 128, "unspecified", N, false},
    {V6, v6(0, 0x0000FFFF00000000u), 96, "IPv4-mapped", N, false},
    {V6, v6(0x0064FF9B00000000u), 96, "NAT64", Y, false},
    {V6, v6(0x0064FF9B00010000u), 48, "local NAT64", N, false},
    {V6, v6(0x0100000000000000u), 64, "discard-only", N, false},
    {V6, v6(0x2001000000000000u), 23, "protocol assignments", N, false},
    {V6, v6(0x2001000000000000u), 32, "Teredo", NA, false},
    {V6, v6(0x2001000100000000u, 1), 128, "PCP anycast", Y, false},
    {V6, v6(0x2001000100000000u, 2), 128, "TURN anycast", Y, false},
    {V6, v6(0x2001000200000000u), 48, "benchmarking", N, false},
    {V6, v6(0x2001000300000000u), 32, "AMT", Y, false},
    {V6, v6(0x2001000401120000u), 48, "AS112", Y, false},
    {V6, v6(0x2001002000000000u), 28, "ORCHIDv2", Y, false},
    {V6, v6(0x2001003000000000u), 28, "drone remote ID", Y, false},
    {V6, v6(0x20010DB800000000u), 32, "documentation", N, false},
    {V6, v6(0x2002000000000000u), 16, "6to4", NA, false},
    {V6, v6(0x2620004F80000000u), 48, "AS112", Y, false},
    {V6, v6(0x3FFF000000000000u), 20, "documentation", N, false},
    {V6, v6(0x5F00000000000000u), 16, "segment routing", N, false},
    {V6, v6(0xFC00000000000000u), 7, "unique local", N, true},
    {V6, v6(0xFE80000000000000u), 10, "link-local", N, false},
    {V6, v6(0xFF00000000000000u), 8, "multicast", Reach::Unlisted, false},
};

// The words of the space no entry holds.
const char* const PublicIpv4 = "public";
const char* const GlobalUnicast = "global unicast";
const char* const ReservedIpv6 = "reserved by IETF";
const char* const Mixed = "mixed";

CidrBlock blockOf(const RegistryEntry& entry)
{
    return {entry.family, entry.network, entry.prefix};
}

bool holds(const CidrBlock& outer, const CidrBlock& inner)
{
    return outer.prefix <= inner.prefix && outer.network() <= inner.network() &&
           inner.last() <= outer.last();
}

bool meets(const CidrBlock& a, const CidrBlock& b)
{
    return a.network() <= b.last() && b.network() <= a.last();
}

bool reachable(Reach reach)
{
    return reach == Reach::Yes || reach == Reach::Unlisted;
}

} // namespace

AddressKind addressKind(const CidrBlock& block)
{
    const RegistryEntry* holder = nullptr;
    bool meetsOthers = false; // an entry inside the block, or across it
    bool unreachable = false; // some address of the block is not reachable
    for (const RegistryEntry& entry : registry) {
        if (entry.family != block.family)
            continue;
        const CidrBlock known = blockOf(entry);
        if (holds(known, block)) {
            if (!holder || entry.prefix > holder->prefix)
                holder = &entry;
        } else if (meets(known, block)) {
            // Blocks nest or are apart: this entry lies inside the block.
            meetsOthers = true;
            unreachable = unreachable || !reachable(entry.reach);
        }
    }

    AddressKind kind;
    if (holder) {
        kind.type = holder->type;
        kind.global = reachable(holder->reach) && !unreachable;
        kind.privateUse = holder->privateUse;
        return kind;
    }
    kind.global = !unreachable;
    if (meetsOthers) {
        kind.type = Mixed;
    } else if (block.family == AddressFamily::IPv4) {
        kind.type = PublicIpv4;
    } else {
        const CidrBlock globalUnicast{AddressFamily::IPv6, v6(0x2000000000000000u), 3};
        kind.type = holds(globalUnicast, block)   ? GlobalUnicast
                    : meets(globalUnicast, block) ? Mixed
                                                  : ReservedIpv6;
    }
    return kind;
}

std::string addressType(const CidrBlock& block)
{
    return std::string(addressKind(block).type);
}

std::vector<AddressTypeEntry> addressTypeEntries()
{
    std::vector<AddressTypeEntry> entries;
    for (const RegistryEntry& entry : registry) {
        const std::string_view type = entry.type;
        auto same = std::find_if(entries.begin(), entries.end(),
                                 [type](const AddressTypeEntry& e) { return e.type == type; });
        if (same == entries.end()) {
            entries.push_back({type, {}, reachable(entry.reach), entry.privateUse});
            same = entries.end() - 1;
        }
        const std::string address = entry.family == AddressFamily::IPv4
                                        ? addresstext::ipv4Text(uint32_t(entry.network.lo))
                                        : addresstext::ipv6Text(entry.network);
        same->blocks.push_back(address + "/" + std::to_string(entry.prefix));
    }
    entries.push_back({PublicIpv4, {"IPv4 in no entry"}, true, false});
    entries.push_back({GlobalUnicast, {"2000::/3 in no entry"}, true, false});
    entries.push_back({ReservedIpv6, {"other IPv6 in no entry"}, true, false});
    entries.push_back({Mixed, {"a network across entries"}, false, false});
    return entries;
}
