#include "ipaddress/AddressText.h"

#include "core/QorvelGlobal.h"
#include "core/Text.h"

#include <array>

namespace addresstext {

namespace {

// The decimal text of every octet, so a listing of a million subnets does
// no division.
struct OctetTable
{
    std::array<std::array<char, 4>, 256> text{}; // digits, then their count
    constexpr OctetTable()
    {
        for (unsigned v = 0; v < 256; ++v) {
            auto& t = text[v];
            unsigned n = 0;
            if (v >= 100)
                t[n++] = char('0' + v / 100);
            if (v >= 10)
                t[n++] = char('0' + v / 10 % 10);
            t[n++] = char('0' + v % 10);
            t[3] = char(n);
        }
    }
};

constexpr OctetTable octets;

constexpr char hexDigits[] = "0123456789abcdef";

unsigned group(Uint128 address, int index)
{
    const uint64_t half = index < 4 ? address.hi : address.lo;
    return unsigned(half >> (16 * (3 - index % 4))) & 0xFFFF;
}

} // namespace

bool readIpv4(std::string_view text, uint32_t& address)
{
    uint32_t result = 0;
    for (int part = 0; part < 4; ++part) {
        const size_t dot = part < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return false;
        uint64_t octet = 0;
        if (!text::readNumber(text.substr(0, dot), 255, octet))
            return false;
        result = result << 8 | uint32_t(octet);
        text.remove_prefix(part < 3 ? dot + 1 : dot);
    }
    address = result;
    return true;
}

bool readIpv6(std::string_view text, Uint128& address)
{
    // Groups before and after the "::", in order.
    std::array<unsigned, 8> head{}, tail{};
    size_t headCount = 0, tailCount = 0;
    bool compressed = false;

    const size_t gap = text.find("::");
    std::string_view before = text, after;
    if (gap != std::string_view::npos) {
        compressed = true;
        before = text.substr(0, gap);
        after = text.substr(gap + 2);
        if (after.find("::") != std::string_view::npos)
            return false;
    }

    // Reads colon-separated groups; the last group of the whole address may
    // be a dotted IPv4 address, which counts as two groups.
    const auto readGroups = [](std::string_view part, bool last, std::array<unsigned, 8>& out,
                               size_t& count) {
        if (part.empty())
            return true;
        while (true) {
            const size_t colon = part.find(':');
            const std::string_view item = part.substr(0, colon);
            if (colon == std::string_view::npos && last && item.find('.') != item.npos) {
                uint32_t v4 = 0;
                if (count + 2 > 8 || !readIpv4(item, v4))
                    return false;
                out[count++] = v4 >> 16;
                out[count++] = v4 & 0xFFFF;
                return true;
            }
            if (item.empty() || item.size() > 4 || count == 8)
                return false;
            unsigned value = 0;
            for (char c : item) {
                const int digit = HexDigitValue(c);
                if (digit < 0)
                    return false;
                value = value << 4 | unsigned(digit);
            }
            out[count++] = value;
            if (colon == std::string_view::npos)
                return true;
            part.remove_prefix(colon + 1);
        }
    };

    if (!readGroups(before, !compressed, head, headCount) ||
        !readGroups(after, true, tail, tailCount))
        return false;
    if (compressed ? headCount + tailCount > 7 : headCount != 8)
        return false;

    std::array<unsigned, 8> groups{};
    for (size_t i = 0; i < headCount; ++i)
        groups[i] = head[i];
    for (size_t i = 0; i < tailCount; ++i)
        groups[8 - tailCount + i] = tail[i];
    Uint128 result;
    for (int i = 0; i < 8; ++i) {
        uint64_t& half = i < 4 ? result.hi : result.lo;
        half = half << 16 | groups[size_t(i)];
    }
    address = result;
    return true;
}

char* writeIpv4(char* out, uint32_t address)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto& t = octets.text[(address >> shift) & 0xFF];
        // Copying all three bytes and then advancing by the length is
        // cheaper than copying byte by byte.
        out[0] = t[0];
        out[1] = t[1];
        out[2] = t[2];
        out += t[3];
        if (shift > 0)
            *out++ = '.';
    }
    return out;
}

std::string ipv4Text(uint32_t address)
{
    char text[Ipv4MaxLength + 2];
    return std::string(text, writeIpv4(text, address));
}

char* writeIpv6(char* out, Uint128 address)
{
    // An IPv4-mapped address shows the IPv4 address it stands for, in its
    // own dotted form (RFC 5952, section 5).
    if (address.hi == 0 && address.lo >> 32 == 0xFFFF) {
        for (char c : {':', ':', 'f', 'f', 'f', 'f', ':'})
            *out++ = c;
        return writeIpv4(out, uint32_t(address.lo));
    }

    // The longest run of zero groups, at least two long.
    int runStart = -1, runLength = 0;
    for (int i = 0; i < 8;) {
        if (group(address, i) != 0) {
            ++i;
            continue;
        }
        int j = i;
        while (j < 8 && group(address, j) == 0)
            ++j;
        if (j - i > runLength && j - i >= 2) {
            runStart = i;
            runLength = j - i;
        }
        i = j;
    }

    for (int i = 0; i < 8; ++i) {
        if (i == runStart) {
            *out++ = ':';
            if (i == 0)
                *out++ = ':';
            i += runLength - 1;
            continue;
        }
        const unsigned value = group(address, i);
        bool started = false;
        for (int shift = 12; shift >= 0; shift -= 4) {
            const unsigned digit = (value >> shift) & 0xF;
            if (digit != 0 || started || shift == 0) {
                *out++ = hexDigits[digit];
                started = true;
            }
        }
        if (i < 7)
            *out++ = ':';
    }
    return out;
}

std::string ipv6Text(Uint128 address)
{
    char text[Ipv6MaxLength + 2];
    return std::string(text, writeIpv6(text, address));
}

std::string ipv6Expanded(Uint128 address)
{
    std::string text;
    text.reserve(Ipv6MaxLength);
    for (int i = 0; i < 8; ++i) {
        const unsigned value = group(address, i);
        for (int shift = 12; shift >= 0; shift -= 4)
            text += hexDigits[(value >> shift) & 0xF];
        if (i < 7)
            text += ':';
    }
    return text;
}

std::string decimalText(Uint128 value)
{
    // Long division by 10^9 over four 32-bit limbs, most significant first.
    std::array<uint32_t, 4> limbs = {uint32_t(value.hi >> 32), uint32_t(value.hi),
                                     uint32_t(value.lo >> 32), uint32_t(value.lo)};
    std::string digits;
    do {
        uint64_t rest = 0;
        bool zero = true;
        for (uint32_t& limb : limbs) {
            const uint64_t current = rest << 32 | limb;
            limb = uint32_t(current / 1000000000u);
            rest = current % 1000000000u;
            zero = zero && limb == 0;
        }
        for (int i = 0; i < 9; ++i) {
            digits += char('0' + rest % 10);
            rest /= 10;
            if (zero && rest == 0)
                break;
        }
        if (zero)
            break;
    } while (true);
    return std::string(digits.rbegin(), digits.rend());
}

std::string powerOfTwoText(unsigned n)
{
    if (n < 128)
        return decimalText(Uint128::power(n));
    // 2^128 - 1 ends in 5, so adding one carries nowhere.
    std::string digits = decimalText(Uint128::max());
    digits.back() = char(digits.back() + 1);
    return digits;
}

} // namespace addresstext
