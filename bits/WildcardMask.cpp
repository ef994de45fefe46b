#include "bits/WildcardMask.h"

#include "core/Errors.h"
#include "core/Text.h"
#include "ipaddress/AddressText.h"

namespace {

bool readAddress(std::string_view text, AddressFamily& family, Uint128& address)
{
    text = text::trimmed(text);
    if (text.find(':') != std::string_view::npos) {
        family = AddressFamily::IPv6;
        return addresstext::readIpv6(text, address);
    }
    uint32_t v4 = 0;
    family = AddressFamily::IPv4;
    if (!addresstext::readIpv4(text, v4))
        return false;
    address = v4;
    return true;
}

[[noreturn]] void refuseAddress(std::string_view text, const char* what)
{
    throw EZentrixError("'" + std::string(text::trimmed(text)) + "' is not " + what +
                        ": expected an IPv4 address (four numbers 0 to 255 joined by '.') or "
                        "an IPv6 address");
}

const char* familyName(AddressFamily family)
{
    return family == AddressFamily::IPv4 ? "IPv4" : "IPv6";
}

} // namespace

unsigned WildcardMask::matchBits() const
{
    return wordmath::popCount(wildcard);
}

unsigned WildcardMask::blockHostBits() const
{
    return wildcard == allOnes(family) ? width() : countTrailingZeros(~wildcard);
}

CidrBlock WildcardMask::blockAt(Uint128 index) const
{
    const Uint128 choices = wildcard & ~wordmath::ones(blockHostBits());
    CidrBlock block;
    block.family = family;
    block.address = first() | wordmath::depositBits(index, choices);
    block.prefix = blockPrefix();
    return block;
}

bool WildcardMask::looksLikeNetmask() const
{
    const Uint128 all = allOnes(family);
    if (wildcard.isZero() || wildcard == all)
        return false;
    return wildcard == prefixMask(family, netmaskPrefix());
}

WildcardBlocks::WildcardBlocks(const WildcardMask& mask)
    : FMask(mask), FChoices(mask.wildcard & ~wordmath::ones(mask.blockHostBits()))
{
}

bool WildcardBlocks::next(CidrBlock& block)
{
    if (FDone)
        return false;
    block.family = FMask.family;
    block.address = FMask.first() | FNext;
    block.prefix = FMask.blockPrefix();
    // The next value of the chosen bits in increasing order: filling the
    // bits that are not chosen with ones makes the carry of +1 run through
    // them to the next chosen bit.
    FNext = ((FNext | ~FChoices) + 1) & FChoices;
    FDone = FNext.isZero();
    return true;
}

WildcardMask readWildcardMask(std::string_view address, std::string_view wildcard)
{
    WildcardMask mask;
    if (!readAddress(address, mask.family, mask.address))
        refuseAddress(address, "an address");
    AddressFamily wildcardFamily;
    if (!readAddress(wildcard, wildcardFamily, mask.wildcard))
        refuseAddress(wildcard, "a wildcard mask");
    if (wildcardFamily != mask.family)
        throw EZentrixError("The wildcard mask '" + std::string(text::trimmed(wildcard)) + "' is " +
                            familyName(wildcardFamily) + " but the address is " +
                            familyName(mask.family));
    return mask;
}

Uint128 readAddressOf(const WildcardMask& mask, std::string_view text)
{
    AddressFamily family;
    Uint128 address;
    if (!readAddress(text, family, address))
        refuseAddress(text, "an address");
    if (family != mask.family)
        throw EZentrixError("'" + std::string(text::trimmed(text)) + "' is " + familyName(family) +
                            " but the mask is " + familyName(mask.family));
    return address;
}

std::string addressText(AddressFamily family, Uint128 address)
{
    return family == AddressFamily::IPv4 ? addresstext::ipv4Text(uint32_t(address.lo))
                                         : addresstext::ipv6Text(address);
}

ViewFields wildcardViews(const WildcardMask& mask)
{
    const auto address = [&mask](Uint128 value) { return addressText(mask.family, value); };
    ViewFields fields;
    fields.push_back({"address", "Address", address(mask.address)});
    fields.push_back({"wildcard", "Wildcard mask", address(mask.wildcard)});
    fields.push_back({"matches", "Matching addresses",
                      addresstext::powerOfTwoText(mask.matchBits()), FieldType::Number});
    fields.push_back({"first", "First", address(mask.first())});
    fields.push_back({"last", "Last", address(mask.last())});
    fields.push_back({"blocks", "CIDR blocks", addresstext::powerOfTwoText(mask.blockCountBits()),
                      FieldType::Number});
    fields.push_back({"block_prefix", "Block prefix length", std::to_string(mask.blockPrefix()),
                      FieldType::Number});
    fields.push_back({"contiguous", "Contiguous", mask.blockCountBits() == 0 ? "true" : "false",
                      FieldType::Flag});
    if (mask.looksLikeNetmask()) {
        fields.push_back({"netmask_prefix", "Netmask prefix length",
                          std::to_string(mask.netmaskPrefix()), FieldType::Number});
        fields.push_back(
            {"netmask_wildcard", "Wildcard of that netmask", address(mask.netmaskWildcard())});
    }
    return fields;
}
