#include "ipaddress/CidrText.h"

#include "core/Text.h"
#include "ipaddress/AddressText.h"

namespace cidrtext {

namespace {

const char* const ExpectIpv4 = "an IPv4 address: four numbers 0 to 255 joined by '.'";
const char* const ExpectIpv6 = "an IPv6 address such as 2001:db8::1";
const char* const ExpectAddress =
    "an IPv4 address (four numbers 0 to 255 joined by '.') or an IPv6 address";

std::string prefixExpectation(AddressFamily family)
{
    return family == AddressFamily::IPv4 ? "a prefix length from 0 to 32"
                                         : "a prefix length from 0 to 128";
}

} // namespace

bool readAddress(std::string_view text, AddressFamily& family, Uint128& address,
                 std::string& expected)
{
    if (text.find(':') != std::string_view::npos) {
        Uint128 value;
        if (!addresstext::readIpv6(text, value)) {
            expected = ExpectIpv6;
            return false;
        }
        family = AddressFamily::IPv6;
        address = value;
        return true;
    }
    uint32_t value = 0;
    if (!addresstext::readIpv4(text, value)) {
        expected = text.find('.') != std::string_view::npos ? ExpectIpv4 : ExpectAddress;
        return false;
    }
    family = AddressFamily::IPv4;
    address = Uint128(value);
    return true;
}

bool readIpv4Mask(std::string_view text, uint8_t& prefix, std::string& expected)
{
    // A value is ones from some bit down when adding one to it clears every
    // one of them: so is an inverted network mask, and so is a hostmask.
    const auto lowOnes = [](uint32_t v) { return (v & (v + 1)) == 0; };
    uint32_t mask = 0;
    const bool read = addresstext::readIpv4(text, mask);
    if (read && lowOnes(~mask)) {
        prefix = uint8_t(32 - bitLength(Uint128(~mask)));
        return true;
    }
    if (read && lowOnes(mask)) {
        prefix = uint8_t(32 - bitLength(Uint128(mask)));
        return true;
    }
    expected = "a netmask such as 255.255.255.0 (ones, then zeros) or a hostmask such as "
               "0.0.0.255 (zeros, then ones)";
    return false;
}

bool readPrefix(std::string_view text, AddressFamily family, uint8_t& prefix, std::string& expected)
{
    uint64_t value = 0;
    if (!text::readNumber(text, addressBits(family), value)) {
        expected = prefixExpectation(family);
        return false;
    }
    prefix = uint8_t(value);
    return true;
}

namespace {

// RFC 6874 lets a zone hold any unreserved URI character: interface names
// such as eth0, enp0s31f6, br-lan or eth0.100, and interface numbers.
bool isZoneName(std::string_view zone)
{
    if (zone.empty())
        return false;
    for (char c : zone) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '-' && c != '.' && c != '_' && c != '~')
            return false;
    }
    return true;
}

// A zone names a link: it belongs to link-local unicast (fe80::/10) and to
// multicast of interface-local or link-local scope (ffx1::/16, ffx2::/16).
bool takesZone(AddressFamily family, Uint128 address)
{
    if (family != AddressFamily::IPv6)
        return false;
    const uint64_t top = address.hi >> 48;
    if ((top & 0xFFC0) == 0xFE80)
        return true;
    return (top & 0xFF00) == 0xFF00 && ((top & 0xF) == 1 || (top & 0xF) == 2);
}

bool readBlockWithZone(std::string_view text, CidrBlock& block, std::string* zone,
                       std::string& expected)
{
    const size_t slash = text.find('/');
    std::string_view address = text.substr(0, slash);
    const size_t percent = address.find('%');
    std::string_view zoneText;
    if (percent != std::string_view::npos) {
        zoneText = address.substr(percent + 1);
        address = address.substr(0, percent);
    }
    CidrBlock result;
    if (!readAddress(address, result.family, result.address, expected))
        return false;
    if (percent != std::string_view::npos) {
        if (!zone) {
            expected = "an address without a zone ('%" + std::string(zoneText) +
                       "'): only the facts of a link-local address and --contains keep one";
            return false;
        }
        if (!isZoneName(zoneText)) {
            expected = "a zone after '%' such as eth0: letters, digits, '-', '.', '_' and '~'";
            return false;
        }
        if (!takesZone(result.family, result.address)) {
            expected = "a zone ('%" + std::string(zoneText) +
                       "') only on an IPv6 link-local address (fe80::/10) or link-scope "
                       "multicast: this address is reached the same way from every link";
            return false;
        }
    }
    if (slash == std::string_view::npos) {
        result.prefix = uint8_t(addressBits(result.family));
    } else {
        const std::string_view after = text.substr(slash + 1);
        const bool isMask =
            result.family == AddressFamily::IPv4 && after.find('.') != std::string_view::npos;
        if (isMask ? !readIpv4Mask(after, result.prefix, expected)
                   : !readPrefix(after, result.family, result.prefix, expected))
            return false;
    }
    block = result;
    if (zone)
        zone->assign(zoneText);
    return true;
}

} // namespace

bool readBlock(std::string_view text, CidrBlock& block, std::string& expected)
{
    return readBlockWithZone(text, block, nullptr, expected);
}

bool readZonedBlock(std::string_view text, CidrBlock& block, std::string& zone,
                    std::string& expected)
{
    return readBlockWithZone(text, block, &zone, expected);
}

bool readRange(std::string_view text, AddressRange& range, std::string& expected)
{
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        expected = "a range FIRST-LAST";
        return false;
    }
    AddressFamily firstFamily, lastFamily;
    AddressRange result;
    if (!readAddress(text.substr(0, dash), firstFamily, result.first, expected) ||
        !readAddress(text.substr(dash + 1), lastFamily, result.last, expected))
        return false;
    if (firstFamily != lastFamily) {
        expected = "a range FIRST-LAST with both ends in one address family";
        return false;
    }
    if (result.last < result.first) {
        expected = "a range FIRST-LAST whose first address is not above its last";
        return false;
    }
    result.family = firstFamily;
    range = result;
    return true;
}

namespace {

// A decimal number of at most `digits` digits without a leading zero, at
// most `highest`, at `p`; moves `p` past it.
bool readSmallNumber(const char*& p, const char* end, unsigned digits, unsigned highest,
                     unsigned& value)
{
    const char* const start = p;
    unsigned result = 0;
    while (p < end && *p >= '0' && *p <= '9' && unsigned(p - start) < digits)
        result = result * 10 + unsigned(*p++ - '0');
    const size_t length = size_t(p - start);
    if (length == 0 || (length > 1 && *start == '0') || result > highest ||
        (p < end && *p >= '0' && *p <= '9'))
        return false;
    value = result;
    return true;
}

// The form most lists are made of, "a.b.c.d" or "a.b.c.d/n", read in one
// pass; false for anything else, which the general readers take (and
// explain).
bool readPlainIpv4Item(std::string_view text, CidrItem& item)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    uint32_t address = 0;
    unsigned value = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0 && (p == end || *p++ != '.'))
            return false;
        if (!readSmallNumber(p, end, 3, 255, value))
            return false;
        address = address << 8 | value;
    }
    unsigned prefix = 32;
    const bool network = p < end && *p == '/';
    if (network && !readSmallNumber(++p, end, 2, 32, prefix))
        return false;
    if (p != end)
        return false;
    const uint32_t mask = prefix == 0 ? 0 : ~uint32_t(0) << (32 - prefix);
    item.kind = network ? CidrItem::Kind::Network : CidrItem::Kind::Address;
    item.block = {AddressFamily::IPv4, Uint128(address), uint8_t(prefix)};
    item.range = {AddressFamily::IPv4, Uint128(address & mask), Uint128(address | ~mask)};
    return true;
}

} // namespace

bool readItem(std::string_view text, CidrItem& item, std::string& expected, std::string* zone)
{
    if (readPlainIpv4Item(text, item)) {
        if (zone)
            zone->clear();
        return true;
    }
    // A range has a dash and neither a prefix nor a zone (an interface name
    // may hold a dash; a prefix length such as /-1 is a bad prefix, not a
    // range).
    const bool range = text.find('-') != std::string_view::npos &&
                       text.find_first_of("/%") == std::string_view::npos;
    CidrItem result;
    if (range) {
        if (!readRange(text, result.range, expected))
            return false;
        result.kind = CidrItem::Kind::Range;
        result.block = {result.range.family, result.range.first,
                        uint8_t(addressBits(result.range.family))};
    } else {
        std::string zoneText;
        if (!readBlockWithZone(text, result.block, zone ? &zoneText : nullptr, expected))
            return false;
        result.kind = text.find('/') == std::string_view::npos ? CidrItem::Kind::Address
                                                               : CidrItem::Kind::Network;
        result.range = {result.block.family, result.block.network(), result.block.last()};
        if (zone)
            *zone = std::move(zoneText);
    }
    item = result;
    return true;
}

bool readBlockOrRange(std::string_view text, AddressRange& range, std::string& expected)
{
    CidrItem item;
    if (!readItem(text, item, expected))
        return false;
    range = item.range;
    return true;
}

std::string addressText(AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? addresstext::ipv4Text(uint32_t(address.lo))
                                         : addresstext::ipv6Text(address);
}

std::string networkText(const CidrBlock& block)
{
    return addressText(block.family, block.network()) + "/" + std::to_string(block.prefix);
}

} // namespace cidrtext
