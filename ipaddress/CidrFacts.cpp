#include "ipaddress/CidrFacts.h"

#include "ipaddress/AddressRegistry.h"
#include "ipaddress/AddressText.h"
#include "ipaddress/IPAddress.h"

namespace {

Fact text(std::string_view key, std::string_view caption, std::string value)
{
    return {key, caption, FactKind::Text, std::move(value)};
}

Fact count(std::string_view key, std::string_view caption, std::string digits)
{
    return {key, caption, FactKind::Count, std::move(digits)};
}

Fact flag(std::string_view key, std::string_view caption, bool value)
{
    return {key, caption, FactKind::Flag, value ? "yes" : "no", value, true};
}

Fact none(std::string_view key, std::string_view caption)
{
    return {key, caption, FactKind::None, std::string()};
}

// RFC 4007's form: the zone after the address, before any prefix.
std::string zoned(std::string address, std::string_view zone)
{
    if (!zone.empty())
        address.append("%").append(zone);
    return address;
}

void addRegistry(std::vector<Fact>& facts, const CidrBlock& block)
{
    const AddressKind kind = addressKind(block);
    facts.push_back(text("type", "Type", std::string(kind.type)));
    facts.push_back(flag("global", "Globally reachable", kind.global));
    facts.push_back(flag("private", "Private use", kind.privateUse));
}

std::vector<Fact> factsOfIpv4(const CidrBlock& block)
{
    const Ipv4Facts f = ipv4Facts(uint32_t(block.address.lo), block.prefix);
    const auto v4 = addresstext::ipv4Text;
    std::vector<Fact> facts = {
        text("address", "Address", v4(f.address)),
        text("network", "Network", v4(f.network) + "/" + std::to_string(f.prefix)),
        {"prefix", "Prefix length", FactKind::Number, std::to_string(f.prefix)},
        text("netmask", "Netmask", v4(f.mask)),
        text("wildcard", "Wildcard mask", v4(f.wildcard)),
        f.hasBroadcast ? text("broadcast", "Broadcast", v4(f.broadcast))
                       : none("broadcast", "Broadcast"),
        text("first", "First host", v4(f.firstHost)),
        text("last", "Last host", v4(f.lastHost)),
        count("hosts", "Usable hosts", std::to_string(f.usableHosts)),
        count("addresses", "Addresses", std::to_string(f.addresses)),
        text("address_hex", "Address (hex)", TIPAddress::FormatHex(f.address)),
        text("netmask_hex", "Netmask (hex)", TIPAddress::FormatHex(f.mask)),
        text("address_binary", "Address (binary)", ipv4BinaryText(f.address)),
        text("netmask_binary", "Netmask (binary)", ipv4BinaryText(f.mask)),
        text("class", "Class", std::string(1, historicalClass(f.address))),
    };
    addRegistry(facts, block);
    return facts;
}

std::vector<Fact> factsOfIpv6(const CidrBlock& block, std::string_view zone)
{
    const auto v6 = addresstext::ipv6Text;
    const std::string network = zoned(v6(block.network()), zone);
    std::vector<Fact> facts = {
        text("address", "Address", zoned(v6(block.address), zone)),
        text("expanded", "Expanded", addresstext::ipv6Expanded(block.address)),
        text("network", "Network", network + "/" + std::to_string(block.prefix)),
        {"prefix", "Prefix length", FactKind::Number, std::to_string(block.prefix)},
        text("first", "First address", network),
        text("last", "Last address", zoned(v6(block.last()), zone)),
        text("network_expanded", "Network (expanded)", addresstext::ipv6Expanded(block.network())),
        // Every IPv6 address can be a host's: the count people read is
        // Addresses.
        {"hosts", "Usable hosts", FactKind::Count, addresstext::powerOfTwoText(block.hostBits()),
         false, true},
        count("addresses", "Addresses", addresstext::powerOfTwoText(block.hostBits())),
        count("subnets_64", "/64 subnets",
              block.prefix <= 64 ? addresstext::powerOfTwoText(64u - block.prefix) : "0"),
    };
    const EmbeddedIpv4 embedded = embeddedIpv4(block.address);
    if (embedded.kind == EmbeddedIpv4::Kind::None) {
        facts.push_back(none("embedded_ipv4", "Embedded IPv4"));
        facts.push_back(none("teredo_server", "Teredo server"));
    } else {
        facts.push_back(
            text("embedded_ipv4", "Embedded IPv4", addresstext::ipv4Text(embedded.address)));
        facts.push_back(embedded.kind == EmbeddedIpv4::Kind::Teredo
                            ? text("teredo_server", "Teredo server",
                                   addresstext::ipv4Text(embedded.teredoServer))
                            : none("teredo_server", "Teredo server"));
    }
    addRegistry(facts, block);
    return facts;
}

} // namespace

std::vector<Fact> cidrFacts(const CidrBlock& block, std::string_view zone)
{
    return block.family == AddressFamily::IPv4 ? factsOfIpv4(block) : factsOfIpv6(block, zone);
}

const std::vector<std::string_view>& cidrFactKeys()
{
    static const std::vector<std::string_view> keys = {
        "address",        "expanded",    "network",       "network_expanded",
        "prefix",         "netmask",     "wildcard",      "broadcast",
        "first",          "last",        "hosts",         "addresses",
        "subnets_64",     "address_hex", "netmask_hex",   "address_binary",
        "netmask_binary", "class",       "embedded_ipv4", "teredo_server",
        "type",           "global",      "private",
    };
    return keys;
}

EmbeddedIpv4 embeddedIpv4(Uint128 address)
{
    using Kind = EmbeddedIpv4::Kind;
    const uint64_t hi = address.hi;
    const uint64_t lo = address.lo;
    if (hi == 0 && lo >> 32 == 0xFFFF)
        return {Kind::Mapped, uint32_t(lo), 0};
    if (hi == 0x0064FF9B00000000u && lo >> 32 == 0)
        return {Kind::Nat64, uint32_t(lo), 0};
    if (hi >> 48 == 0x2002)
        return {Kind::SixToFour, uint32_t(hi >> 16), 0};
    // Teredo keeps the client's address with its bits inverted, so that NATs
    // that rewrite addresses in payloads leave it alone.
    if (hi >> 32 == 0x20010000)
        return {Kind::Teredo, ~uint32_t(lo), uint32_t(hi)};
    return {};
}

std::string ipv4BinaryText(uint32_t value)
{
    std::string text;
    for (int bit = 31; bit >= 0; --bit) {
        text += (value >> bit & 1) ? '1' : '0';
        if (bit % 8 == 0 && bit > 0)
            text += '.';
    }
    return text;
}
