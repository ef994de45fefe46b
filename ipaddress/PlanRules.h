#pragma once

#include "ipaddress/Cidr.h"

#include <string>
#include <string_view>

// The sizing rules of the address planner: what a request asks for, how the
// options turn it into a block, and which addresses of a placed block are
// usable under each reservation mode.

// Which addresses a subnet keeps from its hosts. The cloud modes are the
// IPv4 rules of their providers: each reserves some addresses at both ends
// of every subnet and allows subnets of a range of sizes only.
enum class ReservationMode
{
    Standard, // network and broadcast; /31 and /32 reserve nothing; IPv6 nothing
    Aws,      // first four and last; /16 to /28
    Azure,    // first four and last; /2 to /29
    Gcp,      // first two and last two; /4 to /29
    Oci,      // first two and last; /16 to /30
};

enum class PlacementOrder
{
    Size,  // largest block first; equal sizes in the order given
    Given, // the order given
};

constexpr unsigned MaxGrowPercent = 1000;

struct PlanOptions
{
    ReservationMode mode = ReservationMode::Standard;
    unsigned growPercent = 0; // growth margin on host counts, 0 to MaxGrowPercent
    bool nibble = false;      // IPv6: widen every block to a multiple of 4 prefix bits
    bool p2p30 = false;       // standard IPv4: 2 hosts get a /30, not a /31
    bool p2p127 = false;      // IPv6: 2 hosts get a /127, not a /64
    PlacementOrder order = PlacementOrder::Size;
};

struct PlanRequest
{
    std::string name;
    bool byPrefix = false;
    uint64_t hosts = 0; // a host-count request: 1 or more
    uint8_t prefix = 0; // a prefix request
};

// "standard", "aws", "azure", "gcp", "oci"; and back.
const char* modeName(ReservationMode mode);
bool readModeName(std::string_view text, ReservationMode& mode);
// "size", "given"; and back.
const char* orderName(PlacementOrder order);
bool readOrderName(std::string_view text, PlacementOrder& order);

// The prefix length of the block a request gets: for an IPv4 host count
// the longest prefix whose usable addresses hold it once the growth margin
// is added, for an IPv6 one a /64 (a /127 for a link with p2p127), for a
// prefix request the prefix itself; then the nibble rule. On a
// request no block of the family can hold, or one the mode does not allow,
// returns false with what the request should have been in `expected`.
bool sizeRequest(const PlanRequest& request, AddressFamily family, const PlanOptions& options,
                 uint8_t& prefix, std::string& expected);

// The host count a request is sized for: hosts * (1 + percent / 100),
// rounded up.
Uint128 grownHosts(uint64_t hosts, unsigned growPercent);

// A placed block under a mode: its usable addresses and its broadcast
// address (IPv4 blocks below /31 only).
struct BlockAddresses
{
    Uint128 first; // first usable address
    Uint128 last;  // last usable address
    Uint128 broadcast;
    bool hasBroadcast = false;
    unsigned hostBits = 0;
    unsigned reserved = 0; // addresses the mode keeps from use
};
BlockAddresses blockAddresses(AddressFamily family, ReservationMode mode, Uint128 network,
                              uint8_t prefix);

// Usable addresses, 2^hostBits - reserved. The one count past 2^128 - 1,
// all of IPv6 as one block, wraps to 0 here; its text is right.
Uint128 usableCount(const BlockAddresses& block);
std::string usableCountText(const BlockAddresses& block);
// The usable addresses a host-count request leaves unused.
Uint128 spareCount(const BlockAddresses& block, uint64_t hosts);
