#include "ipaddress/PlanRules.h"

#include "ipaddress/AddressText.h"

#include <algorithm>

namespace {

struct ModeRules
{
    ReservationMode mode;
    const char* name;
    unsigned head;          // reserved at the start of a subnet
    unsigned tail;          // reserved at its end
    uint8_t shortestPrefix; // the largest subnet the mode allows
    uint8_t longestPrefix;  // the smallest
};

// The providers' IPv4 subnet rules:
// - AWS: "The allowed size for an IPv4 subnet is between a /28 netmask and
//   a /16 netmask", the first four and the last address reserved (Amazon
//   EC2 API Reference, CreateSubnet;
//   https://docs.aws.amazon.com/AWSEC2/latest/APIReference/API_CreateSubnet.html).
// - Azure: "The smallest supported IPv4 subnet is /29, and the largest is
//   /2", five addresses reserved, the first four and the last (Azure
//   Virtual Network FAQ;
//   https://learn.microsoft.com/azure/virtual-network/virtual-networks-faq).
// - Google Cloud: primary IPv4 subnet ranges from /4 to /29, the first two
//   and the last two addresses reserved (VPC documentation, Subnets, IPv4
//   subnet ranges; https://cloud.google.com/vpc/docs/subnets).
// - OCI: a subnet from /16 to /30, the first two and the last address
//   reserved (OCI documentation, VCNs and Subnets;
//   https://docs.oracle.com/iaas/Content/Network/Tasks/Overview_of_VCNs_and_Subnets.htm).
const ModeRules modes[] = {
    {ReservationMode::Standard, "standard", 1, 1, 0, 32},
    {ReservationMode::Aws, "aws", 4, 1, 16, 28},
    {ReservationMode::Azure, "azure", 4, 1, 2, 29},
    {ReservationMode::Gcp, "gcp", 2, 2, 4, 29},
    {ReservationMode::Oci, "oci", 2, 1, 16, 30},
};

// "a prefix from /16 to /28: aws subnets are /16 to /28"
std::string cloudRange(const ModeRules& rules)
{
    const std::string range =
        "/" + std::to_string(rules.shortestPrefix) + " to /" + std::to_string(rules.longestPrefix);
    return "a prefix from " + range + ": " + rules.name + " subnets are " + range;
}

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
        if (cloud &&
            (request.prefix > rules.longestPrefix || request.prefix < rules.shortestPrefix)) {
            expected = cloudRange(rules);
            return false;
        }
        result = request.prefix;
    } else {
        const Uint128 hosts = grownHosts(request.hosts, options.growPercent);
        const auto tooMany = [&](const std::string& most, const std::string& why) {
            expected = "at most " + most + " hosts, " + why;
            if (options.growPercent > 0)
                expected += ", once the growth margin of " + std::to_string(options.growPercent) +
                            "% is added";
            return false;
        };
        unsigned hostBits = 0;
        if (family == AddressFamily::IPv6) {
            // Every IPv6 LAN is a /64: SLAAC and most of IPv6 build on
            // 64-bit interface identifiers (RFC 4291, section 2.5.1).
            // Point-to-point links may be /127 (RFC 6164).
            if (options.p2p127 && hosts == Uint128(2))
                hostBits = 1;
            else if (bitsToHold(hosts) <= 64)
                hostBits = 64;
            else
                return tooMany(addresstext::powerOfTwoText(64), "what an IPv6 /64 holds");
        } else if (cloud) {
            hostBits = std::max(bitsToHold(hosts + Uint128(rules.head + rules.tail)),
                                32u - rules.longestPrefix);
            if (hostBits > 32u - rules.shortestPrefix)
                return tooMany(std::to_string((uint64_t(1) << (32u - rules.shortestPrefix)) -
                                              rules.head - rules.tail),
                               std::string("what the largest ") + rules.name +
                                   " subnet holds (a /" + std::to_string(rules.shortestPrefix) +
                                   ")");
        } else if (hosts == Uint128(1)) {
            hostBits = 0; // a host route
        } else if (hosts == Uint128(2)) {
            hostBits = options.p2p30 ? 2 : 1; // a point-to-point link, RFC 3021
        } else {
            hostBits = bitsToHold(hosts + Uint128(2));
        }
        if (hostBits > bits)
            return tooMany(std::to_string((uint64_t(1) << 32) - 2),
                           "what the largest IPv4 block holds");
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
