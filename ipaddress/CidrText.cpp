#include "ipaddress/CidrText.h"

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
    uint32_t mask = 0;
    // Contiguous: inverted, the mask is all ones from some bit down, and
    // adding one to such a value clears every one of them.
    if (!addresstext::readIpv4(text, mask) || (~mask & (~mask + 1)) != 0) {
        expected = "a network mask such as 255.255.255.0 (ones, then zeros)";
        return false;
    }
    unsigned ones = 0;
    for (uint32_t m = mask; m & 0x80000000u; m <<= 1)
        ++ones;
    prefix = uint8_t(ones);
    return true;
}

bool readPrefix(std::string_view text, AddressFamily family, uint8_t& prefix, std::string& expected)
{
    uint64_t value = 0;
    if (!addresstext::readNumber(text, addressBits(family), value)) {
        expected = prefixExpectation(family);
        return false;
    }
    prefix = uint8_t(value);
    return true;
}

bool readBlock(std::string_view text, CidrBlock& block, std::string& expected)
{
    const size_t slash = text.find('/');
    CidrBlock result;
    if (!readAddress(text.substr(0, slash), result.family, result.address, expected))
        return false;
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
    return true;
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

bool readBlockOrRange(std::string_view text, AddressRange& range, std::string& expected)
{
    if (text.find('-') != std::string_view::npos)
        return readRange(text, range, expected);
    CidrBlock block;
    if (!readBlock(text, block, expected))
        return false;
    range = {block.family, block.network(), block.last()};
    return true;
}

} // namespace cidrtext
