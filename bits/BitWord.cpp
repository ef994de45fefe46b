#include "bits/BitWord.h"

bool isWordWidth(unsigned width)
{
    for (unsigned w : WordWidths)
        if (w == width)
            return true;
    return false;
}

unsigned narrowestWordWidth(unsigned bits)
{
    for (unsigned w : WordWidths)
        if (bits <= w)
            return w;
    return 0;
}

unsigned defaultWordWidth(unsigned bits)
{
    return bits <= 32 ? 32 : bits <= 64 ? 64 : bits <= 128 ? 128 : 0;
}

bool operator==(const BitWord& a, const BitWord& b)
{
    return a.bits == b.bits && a.width == b.width && a.isSigned == b.isSigned && a.carry == b.carry;
}

namespace wordmath {

Uint128 ones(unsigned width)
{
    return width >= 128 ? Uint128::max() : Uint128::power(width) - 1;
}

unsigned popCount(Uint128 value)
{
    return unsigned(__builtin_popcountll(value.hi) + __builtin_popcountll(value.lo));
}

unsigned leadingZeros(Uint128 value, unsigned width)
{
    return width - bitLength(value & ones(width));
}

namespace {

uint64_t reverse64(uint64_t v)
{
    // Swap ever larger groups: halves of pairs, of nibbles, of bytes, ...
    v = ((v >> 1) & 0x5555555555555555u) | ((v & 0x5555555555555555u) << 1);
    v = ((v >> 2) & 0x3333333333333333u) | ((v & 0x3333333333333333u) << 2);
    v = ((v >> 4) & 0x0F0F0F0F0F0F0F0Fu) | ((v & 0x0F0F0F0F0F0F0F0Fu) << 4);
    return __builtin_bswap64(v);
}

} // namespace

Uint128 reverseBits(Uint128 value)
{
    return {reverse64(value.lo), reverse64(value.hi)};
}

Uint128 swapBytes(Uint128 value)
{
    return {__builtin_bswap64(value.lo), __builtin_bswap64(value.hi)};
}

Uint128 depositBits(Uint128 value, Uint128 mask)
{
    Uint128 result;
    for (int half = 0; half < 2; ++half) {
        uint64_t& out = half == 0 ? result.lo : result.hi;
        // Each pass takes the lowest one-bit of what is left of the mask.
        for (uint64_t m = half == 0 ? mask.lo : mask.hi; m != 0; m &= m - 1) {
            if (value.lo & 1)
                out |= m & (~m + 1);
            value = value >> 1;
        }
    }
    return result;
}

bool mulAdd(Uint128& value, unsigned factor, unsigned addend)
{
    // Four 32-bit limbs, least significant first, each multiplied with the
    // carry of the one below.
    const uint32_t limbs[4] = {uint32_t(value.lo), uint32_t(value.lo >> 32), uint32_t(value.hi),
                               uint32_t(value.hi >> 32)};
    uint64_t carry = addend;
    uint32_t out[4];
    for (int i = 0; i < 4; ++i) {
        const uint64_t product = uint64_t(limbs[i]) * factor + carry;
        out[i] = uint32_t(product);
        carry = product >> 32;
    }
    if (carry != 0)
        return false;
    value = {uint64_t(out[3]) << 32 | out[2], uint64_t(out[1]) << 32 | out[0]};
    return true;
}

unsigned unsignedBits(Uint128 value)
{
    const unsigned length = bitLength(value);
    return length == 0 ? 1 : length;
}

unsigned signedBits(bool negative, Uint128 magnitude)
{
    if (!negative || magnitude.isZero())
        return bitLength(magnitude) + 1;
    return bitLength(magnitude - 1) + 1;
}

} // namespace wordmath

bool isNegative(const BitWord& word)
{
    return word.isSigned && wordmath::bit(word.bits, word.width - 1);
}

Uint128 negated(Uint128 magnitude, unsigned width)
{
    return (~magnitude + 1) & wordmath::ones(width);
}

Uint128 magnitudeOf(const BitWord& word)
{
    return isNegative(word) ? negated(word.bits, word.width) : word.bits;
}
