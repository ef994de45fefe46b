#pragma once

#include "ipaddress/Cidr.h"

#include <string>
#include <string_view>
#include <vector>

// The facts of a classless network, IPv4 and IPv6 alike, as labelled rows
// with typed values: what zentrix-cli cidr prints and what any other view of
// a network shows, from one place. A row has a key (for data formats), a
// caption (for people) and a value; the same key means the same thing, with
// the same kind of value, in either family.

enum class FactKind
{
    Text,
    Number, // a small integer (a prefix length)
    Count,  // an address count, which can pass 64 bits
    Flag,
    None, // does not exist for this network (the broadcast of a /31)
};

struct Fact
{
    std::string_view key;
    std::string_view caption;
    FactKind kind = FactKind::Text;
    std::string text; // the shown form: digits, "yes" or "no", empty for None
    bool flag = false;
    bool dataOnly = false; // not a line for people (the registry's flags)
};

// The facts of `block` in the order people read them. `zone` is the zone
// of an IPv6 link-local address (RFC 4007), shown with its addresses.
std::vector<Fact> cidrFacts(const CidrBlock& block, std::string_view zone = {});

// Every key cidrFacts gives for either family, in one order: the columns of
// a table of facts that may hold both.
const std::vector<std::string_view>& cidrFactKeys();

// An IPv4 address carried in an IPv6 one: IPv4-mapped (::ffff:0:0/96),
// NAT64 (64:ff9b::/96, RFC 6052), 6to4 (2002::/16, RFC 3056) or Teredo
// (2001::/32, RFC 4380: the client's public address, and the server's).
struct EmbeddedIpv4
{
    enum class Kind
    {
        None,
        Mapped,
        Nat64,
        SixToFour,
        Teredo,
    };
    Kind kind = Kind::None;
    uint32_t address = 0;
    uint32_t teredoServer = 0;
};
EmbeddedIpv4 embeddedIpv4(Uint128 address);

// "00001010.00000001.00000010.00000011"
std::string ipv4BinaryText(uint32_t value);
