#pragma once

#include "bits/BitWord.h"

#include <string>
#include <string_view>

// What can be done to a word: bitwise logic with a second operand, shifts
// and rotates by n (plain and through the carry), byte swap, bit reverse,
// setting, clearing and flipping a bit or a range of bits, extracting a
// field, and a change of width. Counting (ones, leading and trailing zeros,
// parity) changes nothing and is among the views (bits/WordViews.h).
//
// Shifts and rotates leave the last bit they moved out in the carry, as the
// x86 instructions of the same names do (Intel 64 and IA-32 Architectures
// Software Developer's Manual, volume 2, SAL/SAR/SHL/SHR and RCL/RCR/ROL/ROR):
//   shl n   bits move up, zeros come in; carry: the last bit out (bit w-n)
//   shr n   bits move down, zeros come in, whatever the signedness;
//           carry: bit n-1
//   sar n   bits move down, copies of the top bit come in; carry: bit n-1
//   rol n   rotate up by n mod w; carry: the new bit 0
//   ror n   rotate down by n mod w; carry: the new top bit
//   rcl n   the carry and the w bits rotate up together as w+1 bits, by
//           n mod (w+1); rcr n the same downwards
// A shift by the width or more leaves no bit of the word (sar: copies of its
// top bit everywhere), with the carry the last bit out would have been. A
// count of 0 changes nothing, the carry included.

enum class OperationKind
{
    Not,
    And,
    Or,
    Xor,
    Nand,
    Nor,
    Shl,
    Shr,
    Sar,
    Rol,
    Ror,
    Rcl,
    Rcr,
    Swap,
    Reverse,
    Set,
    Clear,
    Flip,
    Field,
    Width,
};

// What an operation takes beside the word.
enum class OperationArgument
{
    None,
    Operand, // a second word: and, or, xor, nand, nor
    Count,   // shifts and rotates
    Range,   // set, clear, flip, field: bit I, or bits I to J
    Width,   // the new width
};

struct BitOperation
{
    OperationKind kind = OperationKind::Not;
    Uint128 operand;
    unsigned count = 0; // the shift or rotate count, or the new width
    BitRange range;
};

// "not", "and", ..., "width": the names the command line spells.
const char* operationName(OperationKind kind);
OperationArgument operationArgument(OperationKind kind);

// Raises EZentrixError when the operation does not fit the word: a bit
// beyond its width, a byte swap of a width that is no whole number of
// bytes, a width that would cut the value.
BitWord applyOperation(const BitWord& word, const BitOperation& operation);

// The operation on the bits `within` only, taken as a word of the range's
// width and put back; the bits around stay as they are, and the carry is
// the field's. An operand must fit the field (as a signed number when the
// word is signed). A change of width and an extraction act on the whole
// word and are refused here.
BitWord applyToField(const BitWord& word, const BitOperation& operation, BitRange within);

// An operation as the command line spells it: "not", "and:0xff", "shl:4",
// "set:3", "set:3-5", "field:8-15", "width:64". An operand is read as a
// value of the word's width and signedness (bits/WordReading.h). Raises
// EZentrixError naming what is wrong.
BitOperation readOperation(std::string_view spelled, const BitWord& word);
// The spelling of an operation, the operand in hexadecimal of `width` bits.
std::string operationText(const BitOperation& operation, unsigned width);
