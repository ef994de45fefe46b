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

// A contiguous IPv4 network mask such as 255.255.240.0, or a hostmask
// (wildcard) such as 0.0.15.255, as a prefix length. 0.0.0.0 and
// 255.255.255.255 read as network masks: /0 and /32.
bool readIpv4Mask(std::string_view text, uint8_t& prefix, std::string& expected);

// ADDRESS/PREFIX, IPv4 ADDRESS/MASK, or a bare address (a host block: /32
// or /128). Host bits may be set: the block keeps the address as given.
bool readBlock(std::string_view text, CidrBlock& block, std::string& expected);

// The same, and an IPv6 link-local address may carry a zone (RFC 4007:
// fe80::1%eth0, fe80::1%eth0/64), which goes to `zone` (empty without one).
// A zone on an address of wider scope is refused: it names no link.
bool readZonedBlock(std::string_view text, CidrBlock& block, std::string& zone,
                    std::string& expected);

// An address in its family's text form, and "10.0.0.0/8": a block's network
// (without host bits) and prefix length.
std::string addressText(AddressFamily family, Uint128 address);
std::string networkText(const CidrBlock& block);

// FIRST-LAST within one family, FIRST not above LAST.
bool readRange(std::string_view text, AddressRange& range, std::string& expected);

// A block or a range, as one range of addresses (a block's host bits are
// dropped): what a list of networks to summarize may hold.
bool readBlockOrRange(std::string_view text, AddressRange& range, std::string& expected);

// One item of a list: an address, a network (ADDRESS/PREFIX or
// ADDRESS/MASK) or a range (FIRST-LAST), with the addresses it stands for.
struct CidrItem
{
    enum class Kind
    {
        Address,
        Network,
        Range,
    };
    Kind kind = Kind::Address;
    CidrBlock block;    // an address or a network as given; a range's first address
    AddressRange range; // the addresses: a network's without its host bits
};
// With `zone`, an address or a network may carry one as readZonedBlock
// takes it; without, a zone is refused.
bool readItem(std::string_view text, CidrItem& item, std::string& expected,
              std::string* zone = nullptr);

// A prefix length of the family, 0 to 32 or 0 to 128.
bool readPrefix(std::string_view text, AddressFamily family, uint8_t& prefix,
                std::string& expected);

} // namespace cidrtext
