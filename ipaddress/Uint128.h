#pragma once

#include <cstdint>

// An unsigned 128-bit number for IPv6 addresses and for address counts of
// either family. Plain C++ (two 64-bit halves), so the classless models need
// no compiler extension. Arithmetic wraps modulo 2^128 like any unsigned type.
struct Uint128
{
    uint64_t hi = 0;
    uint64_t lo = 0;

    constexpr Uint128() = default;
    constexpr Uint128(uint64_t high, uint64_t low) : hi(high), lo(low) {}
    // Implicit, so that small numbers read naturally in expressions.
    constexpr Uint128(uint64_t low) : lo(low) {}

    static constexpr Uint128 max() { return {~uint64_t(0), ~uint64_t(0)}; }
    // 2^n for n in 0..127.
    static constexpr Uint128 power(unsigned n)
    {
        return n < 64 ? Uint128(0, uint64_t(1) << n) : Uint128(uint64_t(1) << (n - 64), 0);
    }

    constexpr bool isZero() const { return (hi | lo) == 0; }
};

constexpr bool operator==(Uint128 a, Uint128 b)
{
    return a.hi == b.hi && a.lo == b.lo;
}
constexpr bool operator!=(Uint128 a, Uint128 b)
{
    return !(a == b);
}
constexpr bool operator<(Uint128 a, Uint128 b)
{
    return a.hi < b.hi || (a.hi == b.hi && a.lo < b.lo);
}
constexpr bool operator>(Uint128 a, Uint128 b)
{
    return b < a;
}
constexpr bool operator<=(Uint128 a, Uint128 b)
{
    return !(b < a);
}
constexpr bool operator>=(Uint128 a, Uint128 b)
{
    return !(a < b);
}

constexpr Uint128 operator&(Uint128 a, Uint128 b)
{
    return {a.hi & b.hi, a.lo & b.lo};
}
constexpr Uint128 operator|(Uint128 a, Uint128 b)
{
    return {a.hi | b.hi, a.lo | b.lo};
}
constexpr Uint128 operator^(Uint128 a, Uint128 b)
{
    return {a.hi ^ b.hi, a.lo ^ b.lo};
}
constexpr Uint128 operator~(Uint128 a)
{
    return {~a.hi, ~a.lo};
}
constexpr Uint128 operator+(Uint128 a, Uint128 b)
{
    const uint64_t lo = a.lo + b.lo;
    return {a.hi + b.hi + (lo < a.lo ? 1 : 0), lo};
}
constexpr Uint128 operator-(Uint128 a, Uint128 b)
{
    return {a.hi - b.hi - (a.lo < b.lo ? 1 : 0), a.lo - b.lo};
}
// Shifts by 128 or more give 0.
constexpr Uint128 operator<<(Uint128 a, unsigned n)
{
    if (n >= 128)
        return {};
    if (n >= 64)
        return {a.lo << (n - 64), 0};
    if (n == 0)
        return a;
    return {(a.hi << n) | (a.lo >> (64 - n)), a.lo << n};
}
constexpr Uint128 operator>>(Uint128 a, unsigned n)
{
    if (n >= 128)
        return {};
    if (n >= 64)
        return {0, a.hi >> (n - 64)};
    if (n == 0)
        return a;
    return {a.hi >> n, (a.lo >> n) | (a.hi << (64 - n))};
}

// Number of trailing zero bits; 128 for zero.
inline unsigned countTrailingZeros(Uint128 a)
{
    if (a.isZero())
        return 128;
    unsigned n = 0;
    uint64_t half = a.lo;
    if (half == 0) {
        n = 64;
        half = a.hi;
    }
    for (; (half & 1) == 0; half >>= 1)
        ++n;
    return n;
}

// Position of the highest one-bit plus one; 0 for zero.
inline unsigned bitLength(Uint128 a)
{
    unsigned n = 0;
    if (a.hi != 0) {
        n = 64;
        a.lo = a.hi;
    }
    for (uint64_t half = a.lo; half != 0; half >>= 1)
        ++n;
    return n;
}
