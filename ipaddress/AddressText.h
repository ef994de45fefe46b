#pragma once

#include "ipaddress/Uint128.h"

#include <cstdint>
#include <string>
#include <string_view>

// Text forms of classless IPv4 and IPv6 addresses and of large counts.
// Readers are strict and return false on anything that is not exactly the
// form they read; writers come in two kinds: ones that return a string, and
// ones that write into a caller's buffer for long listings.
namespace addresstext {

// Longest forms, for callers that size buffers and columns.
constexpr size_t Ipv4MaxLength = 15;  // 255.255.255.255
constexpr size_t Ipv6MaxLength = 39;  // eight groups of four digits
constexpr size_t CountMaxLength = 39; // 2^128 has 39 digits

// "a.b.c.d", each number 0 to 255 in decimal. A leading zero ("010") is
// refused, because other tools read such a number as octal.
bool readIpv4(std::string_view text, uint32_t& address);

// RFC 4291 text: up to eight groups of one to four hexadecimal digits, one
// "::" for a run of zero groups, and optionally a dotted IPv4 address in place
// of the last two groups. No zone index (see cidrtext for those).
bool readIpv6(std::string_view text, Uint128& address);

// Dotted decimal; returns the end of what was written (at most 15 bytes).
char* writeIpv4(char* out, uint32_t address);
std::string ipv4Text(uint32_t address);

// RFC 5952: lower case, leading zeros dropped, the longest run of two or
// more zero groups (the first of equal runs) written as "::", and an
// IPv4-mapped address as ::ffff:a.b.c.d.
char* writeIpv6(char* out, Uint128 address);
std::string ipv6Text(Uint128 address);
// All eight groups with four digits each.
std::string ipv6Expanded(Uint128 address);

// Plain decimal digits of any 128-bit number.
std::string decimalText(Uint128 value);
// Decimal digits of 2^n for n from 0 to 128: address counts, of which the
// largest (all of IPv6) is one more than any Uint128.
std::string powerOfTwoText(unsigned n);

} // namespace addresstext
