#pragma once

#include "ipaddress/Cidr.h"

#include <string>
#include <string_view>
#include <vector>

// What the IANA IPv4 and IPv6 Special-Purpose Address Registries say of a
// network, with multicast and the address space around the entries:
//
//   type     the most specific entry that holds the whole network names it
//            ("documentation", "private", ...); a network that holds parts of
//            several, or of an entry and the space around it, is "mixed";
//            outside every entry IPv4 is "public", IPv6 "global unicast"
//            within 2000::/3 and "reserved by IETF" elsewhere
//   global   the registry's "globally reachable": true when it says yes for
//            every address of the network, and for addresses in no entry
//            (multicast is none of the registry's); false for "no" and for
//            "not applicable" (the deprecated 6to4 relays, 6to4, Teredo)
//   private  the private-use blocks only: 10/8, 172.16/12, 192.168/16
//            (RFC 1918) and fc00::/7 (RFC 4193)
struct AddressKind
{
    std::string_view type;
    bool global = true;
    bool privateUse = false;
};

AddressKind addressKind(const CidrBlock& block);

// Every type word with the blocks that carry it, in the registries' order,
// for the help: "documentation" -> 192.0.2.0/24, 198.51.100.0/24, ... The
// words of no entry describe their space instead ("IPv4 in no entry"), and
// the flags of "mixed" depend on what the network holds.
struct AddressTypeEntry
{
    std::string_view type;
    std::vector<std::string> blocks;
    bool global = true;
    bool privateUse = false;
};
std::vector<AddressTypeEntry> addressTypeEntries();
