#include "ipaddress/ReverseZones.h"

namespace reversezones {

namespace {

constexpr char hexDigits[] = "0123456789abcdef";

// The first `octets` octets of an IPv4 address, last first.
std::string ipv4Labels(uint32_t address, unsigned octets)
{
    std::string name;
    for (unsigned i = octets; i > 0; --i)
        name += std::to_string(address >> (32 - 8 * i) & 0xFF) + ".";
    return name;
}

// The first `nibbles` hexadecimal digits of an IPv6 address, last first.
std::string ipv6Labels(Uint128 address, unsigned nibbles)
{
    std::string name;
    for (unsigned i = nibbles; i > 0; --i) {
        name += hexDigits[(address >> (128 - 4 * i)).lo & 0xF];
        name += '.';
    }
    return name;
}

std::string zoneName(const CidrBlock& zone)
{
    if (zone.family == AddressFamily::IPv6)
        return ipv6Labels(zone.address, zone.prefix / 4u) + "ip6.arpa";
    const uint32_t address = uint32_t(zone.address.lo);
    if (zone.prefix <= 24)
        return ipv4Labels(address, zone.prefix / 8u) + "in-addr.arpa";
    // RFC 2317: the subnet's first last-octet and its prefix length, as a
    // label under the /24's zone.
    return std::to_string(address & 0xFF) + "/" + std::to_string(zone.prefix) + "." +
           ipv4Labels(address, 3) + "in-addr.arpa";
}

// The prefix of the zones that cover a network of the given prefix.
unsigned zonePrefix(AddressFamily family, unsigned prefix)
{
    if (family == AddressFamily::IPv6)
        return (prefix + 3) / 4 * 4;
    if (prefix < 8)
        return 8;
    if (prefix > 24)
        return prefix; // RFC 2317: one zone named for the network itself
    return (prefix + 7) / 8 * 8;
}

} // namespace

std::string ptrName(AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? ipv4Labels(uint32_t(address.lo), 4) + "in-addr.arpa"
                                         : ipv6Labels(address, 32) + "ip6.arpa";
}

void forEachZone(
    const CidrBlock& network,
    const std::function<void(const CidrBlock& zoneNetwork, const std::string& zone)>& visit)
{
    const CidrBlock whole{network.family, network.network(), network.prefix};
    const uint8_t prefix = uint8_t(zonePrefix(network.family, network.prefix));
    SubnetSplitter split(whole, prefix);
    Uint128 address;
    while (split.next(address)) {
        const CidrBlock zone{network.family, address, prefix};
        visit(zone, zoneName(zone));
    }
}

} // namespace reversezones
