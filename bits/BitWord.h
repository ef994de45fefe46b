#pragma once

#include "ipaddress/Uint128.h"

#include <cstdint>
#include <optional>

// A word of 8, 16, 32, 64 or 128 bits, read as unsigned or as two's-complement
// signed, with the carry flag that shifts and rotates leave behind. The bits
// are held in a Uint128 whatever the width; those above the width are always
// clear. The arithmetic below also serves fields of any width from 1 to 128
// bits, which the operations act on when a part of a word is selected.

// The widths a word can have, narrowest first.
constexpr unsigned WordWidths[] = {8, 16, 32, 64, 128};
constexpr unsigned MaxWordWidth = 128;

bool isWordWidth(unsigned width);
// The narrowest word that holds `bits` bits, or 0 when even 128 do not.
unsigned narrowestWordWidth(unsigned bits);
// The width a value gets when none is asked for: the narrowest of 32, 64
// and 128 bits that holds it (0 when none does), as C gives a literal the
// first of int, long and long long that holds it (C11 6.4.4.1).
unsigned defaultWordWidth(unsigned bits);

struct BitWord
{
    Uint128 bits;
    unsigned width = 32;
    bool isSigned = false;
    bool carry = false;
};

bool operator==(const BitWord& a, const BitWord& b);
inline bool operator!=(const BitWord& a, const BitWord& b)
{
    return !(a == b);
}

// Bits low to high of a word, both included.
struct BitRange
{
    unsigned low = 0;
    unsigned high = 0;

    unsigned length() const { return high - low + 1; }
    // The range from either end to the other, in whichever order they come.
    static BitRange between(unsigned a, unsigned b)
    {
        return a < b ? BitRange{a, b} : BitRange{b, a};
    }
};

inline bool operator==(const BitRange& a, const BitRange& b)
{
    return a.low == b.low && a.high == b.high;
}

namespace wordmath {

// `width` one-bits from bit 0, for a width from 0 to 128.
Uint128 ones(unsigned width);
inline bool bit(Uint128 value, unsigned index)
{
    return index < 128 && !((value >> index) & Uint128(1)).isZero();
}
unsigned popCount(Uint128 value);
// Leading zeros within `width` bits.
unsigned leadingZeros(Uint128 value, unsigned width);
// The bits in the opposite order over all 128 bits.
Uint128 reverseBits(Uint128 value);
// The bytes in the opposite order over all 16 bytes.
Uint128 swapBytes(Uint128 value);
// Bits of `value` from bit 0 up, placed one by one at the one-bits of
// `mask` from the lowest up (what x86's PDEP does).
Uint128 depositBits(Uint128 value, Uint128 mask);

// value * factor + addend; false when the result needs more than 128 bits.
bool mulAdd(Uint128& value, unsigned factor, unsigned addend);

// Bits a value needs in a word: unsigned, the position of its highest one
// plus one (at least 1); as a signed number, one more for the sign, and a
// negative -m needs as many as m - 1 does plus the sign.
unsigned unsignedBits(Uint128 value);
unsigned signedBits(bool negative, Uint128 magnitude);

} // namespace wordmath

// The word's bits as the signed number they are, as sign and magnitude.
bool isNegative(const BitWord& word);
Uint128 magnitudeOf(const BitWord& word);
// The bits of -magnitude in a word of `width` bits (two's complement).
Uint128 negated(Uint128 magnitude, unsigned width);
