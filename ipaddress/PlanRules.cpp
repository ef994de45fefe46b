#include "ipaddress/PlanRules.h"

#include "ipaddress/AddressText.h"

#include <algorithm>

namespace {

struct ModeRules
{
    ReservationMode mode;
    const char* name;
    unsigned head;         // reserved at the start of a subnet
    unsigned tail;         // reserved at its end
    uint8_t longestPrefix; // the smallest subnet the mode allows
};

const ModeRules modes[] = {
    {ReservationMode::Standard, "standard", 1, 1, 32}, {ReservationMode::Aws, "aws", 4, 1, 28},
    {ReservationMode::Azure, "azure", 4, 1, 29},       {ReservationMode::Gcp, "gcp", 2, 2, 29},
    {ReservationMode::Oci, "oci", 2, 1, 30},
};

const ModeRules& rulesOf(ReservationMode mode)
{
    return modes[size_t(mode)];
}

// a * b without loss.
Uint128 multiply(uint64_t a, uint32_t b)
{
    const uint64_t low = (a & 0xFFFFFFFFu) * b;
    const uint64_t high = (a >> 32) * b;
    return Uint128(high >> 32, high << 32) + Uint128(low);
}

// The host bits of the smallest block of at least `count` addresses
// (count >= 1).
unsigned bitsToHold(Uint128 count)
{
    return bitLength(count - Uint128(1));
}

} // namespace

const char* modeName(ReservationMode mode)
{
    return rulesOf(mode).name;
}

bool readModeName(std::string_view text, ReservationMode& mode)
{
    for (const ModeRules& rules : modes)
        if (text == rules.name) {
            mode = rules.mode;
            return true;
        }
    return false;
}

const char* orderName(PlacementOrder order)
{
    return order == PlacementOrder::Size ? "size" : "given";
}

bool readOrderName(std::string_view text, PlacementOrder& order)
{
    if (text != "size" && text != "given")
        return false;
    order = text == "size" ? PlacementOrder::Size : PlacementOrder::Given;
    return true;
}

Uint128 grownHosts(uint64_t hosts, unsigned growPercent)
{
    // hosts * percent / 100, rounded up, as (100q + r) * percent / 100.
    const uint64_t q = hosts / 100, r = hosts % 100;
    const uint64_t restUp = (r * growPercent + 99) / 100;
    return Uint128(hosts) + multiply(q, growPercent) + Uint128(restUp);
}

bool sizeRequest(const PlanRequest& request, AddressFamily family, const PlanOptions& options,
                 uint8_t& prefix, std::string& expected)
{
    const unsigned bits = addressBits(family);
    const ModeRules& rules = rulesOf(options.mode);
    const bool cloud = options.mode != ReservationMode::Standard;
    unsigned result = 0;
    if (request.byPrefix) {
        if (request.prefix > bits) {
            expected = "a prefix from /0 to /" + std::to_string(bits) + " in an " +
                       (family == AddressFamily::IPv4 ? "IPv4" : "IPv6") + " plan";
            return false;
        }
        if (cloud && request.prefix > rules.longestPrefix) {
            expected = "a prefix of /" + std::to_string(rules.longestPrefix) +
                       " or shorter: the smallest " + rules.name + " subnet is a /" +
                       std::to_string(rules.longestPrefix);
            return false;
        }
        result = request.prefix;
    } else {
        const Uint128 hosts = grownHosts(request.hosts, options.growPercent);
        unsigned hostBits = 0;
        if (family == AddressFamily::IPv6) {
            hostBits = bitsToHold(hosts);
        } else if (cloud) {
            hostBits = std::max(bitsToHold(hosts + Uint128(rules.head + rules.tail)),
                                32u - rules.longestPrefix);
        } else if (hosts == Uint128(1)) {
            hostBits = 0; // a host route
        } else if (hosts == Uint128(2)) {
            hostBits = options.p2p30 ? 2 : 1; // a point-to-point link, RFC 3021
        } else {
            hostBits = bitsToHold(hosts + Uint128(2));
        }
        if (hostBits > bits) {
            const unsigned reserved = cloud ? rules.head + rules.tail : 2;
            expected = "at most " + std::to_string((uint64_t(1) << 32) - reserved) +
                       " hosts, what the largest IPv4 block holds";
            if (options.growPercent > 0)
                expected += ", once the growth margin of " + std::to_string(options.growPercent) +
                            "% is added";
            return false;
        }
        result = bits - hostBits;
    }
    if (options.nibble && family == AddressFamily::IPv6)
        result &= ~3u;
    prefix = uint8_t(result);
    return true;
}

BlockAddresses blockAddresses(AddressFamily family, ReservationMode mode, Uint128 network,
                              uint8_t prefix)
{
    const CidrBlock block{family, network, prefix};
    BlockAddresses result;
    result.hostBits = block.hostBits();
    result.first = block.network();
    result.last = block.last();
    if (family == AddressFamily::IPv6 || prefix >= 31)
        return result;
    const ModeRules& rules = rulesOf(mode);
    result.broadcast = result.last;
    result.hasBroadcast = true;
    result.first = result.first + Uint128(rules.head);
    result.last = result.last - Uint128(rules.tail);
    result.reserved = rules.head + rules.tail;
    return result;
}

Uint128 usableCount(const BlockAddresses& block)
{
    const Uint128 addresses = block.hostBits >= 128 ? Uint128() : Uint128::power(block.hostBits);
    return addresses - Uint128(block.reserved);
}

std::string usableCountText(const BlockAddresses& block)
{
    if (block.hostBits >= 128)
        return addresstext::powerOfTwoText(128); // IPv6 reserves nothing
    return addresstext::decimalText(usableCount(block));
}

Uint128 spareCount(const BlockAddresses& block, uint64_t hosts)
{
    // Exact even for all of IPv6, whose usable count wrapped to 0.
    return usableCount(block) - Uint128(hosts);
}
