#pragma once

#include "ipaddress/Cidr.h"

#include <functional>
#include <string>

// Reverse DNS: the owner name of an address's PTR record, and the zones a
// network's reverse names are delegated in.
namespace reversezones {

// "4.3.2.1.in-addr.arpa" for 1.2.3.4; for IPv6 the 32 nibbles in reverse
// order under ip6.arpa (RFC 3596).
std::string ptrName(AddressFamily family, Uint128 address);

// The zones that cover a network exactly, in address order, each with the
// network it holds:
//   IPv4   in-addr.arpa zones on octet boundaries (/8, /16, /24); a network
//          between them is the zones of the next longer boundary (a /20 is
//          sixteen /24 zones), and one shorter than /8 its /8 zones; /25 to
//          /32 take RFC 2317's names ("0/26.2.0.192.in-addr.arpa")
//   IPv6   ip6.arpa zones on nibble boundaries; a network between them is
//          the zones of the next longer boundary (a /30 is four /32 zones)
void forEachZone(
    const CidrBlock& network,
    const std::function<void(const CidrBlock& zoneNetwork, const std::string& zone)>& visit);

} // namespace reversezones
