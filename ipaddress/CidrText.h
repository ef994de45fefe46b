#pragma once

#include "ipaddress/CidrBlocks.h"

#include <string>
#include <string_view>

// Reading the classless forms people type: an address, ADDRESS/PREFIX,
// ADDRESS/MASK, and FIRST-LAST. On failure a reader leaves its result alone
// and sets `expected` to what the text should have been, for the message
// that names the text.
namespace cidrtext {

// An IPv4 or IPv6 address; the family follows from the text.
bool readAddress(std::string_view text, AddressFamily& family, Uint128& address,
                 std::string& expected);

// A contiguous IPv4 network mask such as 255.255.240.0, as a prefix length.
bool readIpv4Mask(std::string_view text, uint8_t& prefix, std::string& expected);

// ADDRESS/PREFIX, IPv4 ADDRESS/MASK, or a bare address (a host block: /32
// or /128). Host bits may be set: the block keeps the address as given.
bool readBlock(std::string_view text, CidrBlock& block, std::string& expected);

// FIRST-LAST within one family, FIRST not above LAST.
bool readRange(std::string_view text, AddressRange& range, std::string& expected);

// A block or a range, as one range of addresses (a block's host bits are
// dropped): what a list of networks to summarize may hold.
bool readBlockOrRange(std::string_view text, AddressRange& range, std::string& expected);

// A prefix length of the family, 0 to 32 or 0 to 128.
bool readPrefix(std::string_view text, AddressFamily family, uint8_t& prefix,
                std::string& expected);

} // namespace cidrtext
