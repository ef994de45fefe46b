#include "bits/WordOperations.h"

#include "bits/WordReading.h"
#include "bits/WordViews.h"
#include "core/Errors.h"
#include "core/Text.h"
#include "ipaddress/AddressText.h"

namespace {

using wordmath::bit;
using wordmath::ones;

struct OperationSpelling
{
    OperationKind kind;
    const char* name;
    OperationArgument argument;
};

constexpr OperationSpelling Spellings[] = {
    {OperationKind::Not, "not", OperationArgument::None},
    {OperationKind::And, "and", OperationArgument::Operand},
    {OperationKind::Or, "or", OperationArgument::Operand},
    {OperationKind::Xor, "xor", OperationArgument::Operand},
    {OperationKind::Nand, "nand", OperationArgument::Operand},
    {OperationKind::Nor, "nor", OperationArgument::Operand},
    {OperationKind::Shl, "shl", OperationArgument::Count},
    {OperationKind::Shr, "shr", OperationArgument::Count},
    {OperationKind::Sar, "sar", OperationArgument::Count},
    {OperationKind::Rol, "rol", OperationArgument::Count},
    {OperationKind::Ror, "ror", OperationArgument::Count},
    {OperationKind::Rcl, "rcl", OperationArgument::Count},
    {OperationKind::Rcr, "rcr", OperationArgument::Count},
    {OperationKind::Swap, "swap", OperationArgument::None},
    {OperationKind::Reverse, "reverse", OperationArgument::None},
    {OperationKind::Set, "set", OperationArgument::Range},
    {OperationKind::Clear, "clear", OperationArgument::Range},
    {OperationKind::Flip, "flip", OperationArgument::Range},
    {OperationKind::Field, "field", OperationArgument::Range},
    {OperationKind::Width, "width", OperationArgument::Width},
};

const OperationSpelling& spelling(OperationKind kind)
{
    return Spellings[int(kind)];
}

void checkRange(BitRange range, unsigned width)
{
    if (range.low > range.high || range.high >= width)
        throw EZentrixError("Bit " + std::to_string(range.high) + " is beyond a " +
                            std::to_string(width) + "-bit word (bits 0 to " +
                            std::to_string(width - 1) + ")");
}

// The carry and the bits rotated up together as width + 1 bits, by
// 1 to width places.
void rotateThroughCarry(BitWord& word, unsigned places)
{
    const unsigned w = word.width;
    const Uint128 v = word.bits;
    const Uint128 carryIn = word.carry ? Uint128(1) << (places - 1) : Uint128();
    word.bits = ((v << places) | carryIn | (v >> (w + 1 - places))) & ones(w);
    word.carry = bit(v, w - places);
}

void changeWidth(BitWord& word, unsigned width)
{
    if (!isWordWidth(width))
        throw EZentrixError("A word has 8, 16, 32, 64 or 128 bits, not " + std::to_string(width));
    const bool negative = isNegative(word);
    if (width < word.width) {
        const unsigned bits = word.isSigned ? wordmath::signedBits(negative, magnitudeOf(word))
                                            : wordmath::unsignedBits(word.bits);
        if (bits > width)
            throw EZentrixError("0x" + hexText(word.bits, word.width) + " needs a " +
                                std::to_string(narrowestWordWidth(bits)) + "-bit word" +
                                (word.isSigned ? " as a signed number" : "") + ": " +
                                std::to_string(width) + " bits would cut it");
        word.bits = word.bits & ones(width);
    } else if (negative) {
        word.bits = word.bits | (ones(width) & ~ones(word.width));
    }
    word.width = width;
}

} // namespace

const char* operationName(OperationKind kind)
{
    return spelling(kind).name;
}

OperationArgument operationArgument(OperationKind kind)
{
    return spelling(kind).argument;
}

BitWord applyOperation(const BitWord& word, const BitOperation& operation)
{
    BitWord result = word;
    const unsigned w = word.width;
    const Uint128 mask = ones(w);
    const Uint128 v = word.bits;
    const Uint128 operand = operation.operand & mask;
    const unsigned n = operation.count;
    const BitRange range = operation.range;
    switch (operation.kind) {
    case OperationKind::Not:
        result.bits = ~v & mask;
        break;
    case OperationKind::And:
        result.bits = v & operand;
        break;
    case OperationKind::Or:
        result.bits = v | operand;
        break;
    case OperationKind::Xor:
        result.bits = v ^ operand;
        break;
    case OperationKind::Nand:
        result.bits = ~(v & operand) & mask;
        break;
    case OperationKind::Nor:
        result.bits = ~(v | operand) & mask;
        break;
    case OperationKind::Shl:
        if (n == 0)
            break;
        result.bits = n >= w ? Uint128() : (v << n) & mask;
        result.carry = n <= w && bit(v, w - n);
        break;
    case OperationKind::Shr:
        if (n == 0)
            break;
        result.bits = n >= w ? Uint128() : v >> n;
        result.carry = n <= w && bit(v, n - 1);
        break;
    case OperationKind::Sar: {
        if (n == 0)
            break;
        const bool sign = bit(v, w - 1);
        const Uint128 fill = sign ? mask : Uint128();
        result.bits = n >= w ? fill : (v >> n) | (fill & ~(mask >> n));
        result.carry = n <= w ? bit(v, n - 1) : sign;
        break;
    }
    case OperationKind::Rol:
    case OperationKind::Ror: {
        if (n == 0)
            break;
        const unsigned up = operation.kind == OperationKind::Rol ? n % w : (w - n % w) % w;
        if (up != 0)
            result.bits = ((v << up) | (v >> (w - up))) & mask;
        result.carry =
            operation.kind == OperationKind::Rol ? bit(result.bits, 0) : bit(result.bits, w - 1);
        break;
    }
    case OperationKind::Rcl:
    case OperationKind::Rcr: {
        const unsigned places = n % (w + 1);
        const unsigned up =
            operation.kind == OperationKind::Rcl ? places : (w + 1 - places) % (w + 1);
        if (up != 0)
            rotateThroughCarry(result, up);
        break;
    }
    case OperationKind::Swap:
        if (w % 8 != 0)
            throw EZentrixError("A byte swap needs whole bytes, not " + std::to_string(w) +
                                " bits");
        result.bits = wordmath::swapBytes(v) >> (128 - w);
        break;
    case OperationKind::Reverse:
        result.bits = wordmath::reverseBits(v) >> (128 - w);
        break;
    case OperationKind::Set:
    case OperationKind::Clear:
    case OperationKind::Flip:
    case OperationKind::Field: {
        checkRange(range, w);
        const Uint128 bits = ones(range.length()) << range.low;
        result.bits = operation.kind == OperationKind::Set     ? v | bits
                      : operation.kind == OperationKind::Clear ? v & ~bits
                      : operation.kind == OperationKind::Flip  ? v ^ bits
                                                               : (v & bits) >> range.low;
        break;
    }
    case OperationKind::Width:
        changeWidth(result, n);
        break;
    }
    return result;
}

BitWord applyToField(const BitWord& word, const BitOperation& operation, BitRange within)
{
    if (operation.kind == OperationKind::Width || operation.kind == OperationKind::Field)
        throw EZentrixError(std::string("'") + operationName(operation.kind) +
                            "' acts on the whole word, not on a field of it");
    checkRange(within, word.width);
    const unsigned length = within.length();
    BitOperation inField = operation;
    if (operationArgument(operation.kind) == OperationArgument::Operand) {
        // The operand's bits above the field must be nothing but zeros, or
        // copies of the field's top bit when the word is signed.
        const Uint128 above = operation.operand >> (length - 1);
        const bool fits = (operation.operand >> length).isZero() ||
                          (word.isSigned && above == ones(word.width - length + 1));
        if (!fits)
            throw EZentrixError("The operand 0x" + hexText(operation.operand, word.width) +
                                " is wider than the " + std::to_string(length) + "-bit field");
        inField.operand = operation.operand & ones(length);
    }
    BitWord field = word;
    field.width = length;
    field.bits = (word.bits >> within.low) & ones(length);
    field = applyOperation(field, inField);
    BitWord result = word;
    result.bits = (word.bits & ~(ones(length) << within.low)) | (field.bits << within.low);
    result.carry = field.carry;
    return result;
}

namespace {

[[noreturn]] void refuseSpelling(std::string_view spelled, const std::string& why)
{
    throw EZentrixError("'" + std::string(spelled) + "': " + why);
}

unsigned readCount(std::string_view spelled, std::string_view text, const char* what, uint64_t most)
{
    uint64_t value = 0;
    if (!text::readNumber(text, most, value))
        refuseSpelling(spelled, std::string("expected ") + what + " from 0 to " +
                                    std::to_string(most) + " after ':'");
    return unsigned(value);
}

} // namespace

BitOperation readOperation(std::string_view spelled, const BitWord& word)
{
    const size_t colon = spelled.find(':');
    const std::string_view name = spelled.substr(0, colon);
    const std::string_view argument =
        colon == std::string_view::npos ? std::string_view() : spelled.substr(colon + 1);
    BitOperation operation;
    const OperationSpelling* found = nullptr;
    for (const OperationSpelling& candidate : Spellings)
        if (name == candidate.name)
            found = &candidate;
    if (!found)
        refuseSpelling(spelled, "no such operation: not, and:X, or:X, xor:X, nand:X, nor:X, "
                                "shl:N, shr:N, sar:N, rol:N, ror:N, rcl:N, rcr:N, swap, reverse, "
                                "set:I[-J], clear:I[-J], flip:I[-J], field:I-J, width:W");
    operation.kind = found->kind;
    if (found->argument == OperationArgument::None) {
        if (colon != std::string_view::npos)
            refuseSpelling(spelled, std::string("'") + found->name + "' takes nothing after it");
        return operation;
    }
    if (colon == std::string_view::npos)
        refuseSpelling(spelled,
                       std::string("'") + found->name + "' needs ':' and " +
                           (found->argument == OperationArgument::Operand ? "a value"
                            : found->argument == OperationArgument::Range ? "a bit or bits I-J"
                            : found->argument == OperationArgument::Width ? "a width"
                                                                          : "a count"));
    switch (found->argument) {
    case OperationArgument::None:
        break;
    case OperationArgument::Operand: {
        WordSpec spec;
        spec.width = word.width;
        spec.isSigned = word.isSigned;
        operation.operand = readWord(argument, spec).word.bits;
        break;
    }
    case OperationArgument::Count:
        operation.count = readCount(spelled, argument, "a count", 4294967295u);
        break;
    case OperationArgument::Width:
        operation.count = readCount(spelled, argument, "a width", 128);
        if (!isWordWidth(operation.count))
            refuseSpelling(spelled, "a word has 8, 16, 32, 64 or 128 bits");
        break;
    case OperationArgument::Range: {
        const size_t dash = argument.find('-');
        const unsigned first = readCount(spelled, argument.substr(0, dash), "a bit", 127);
        const unsigned last = dash == std::string_view::npos
                                  ? first
                                  : readCount(spelled, argument.substr(dash + 1), "a bit", 127);
        operation.range = BitRange::between(first, last);
        break;
    }
    }
    return operation;
}

std::string operationText(const BitOperation& operation, unsigned width)
{
    std::string text = operationName(operation.kind);
    switch (operationArgument(operation.kind)) {
    case OperationArgument::None:
        break;
    case OperationArgument::Operand:
        text += ":0x" + hexText(operation.operand, width);
        break;
    case OperationArgument::Count:
    case OperationArgument::Width:
        text += ':' + std::to_string(operation.count);
        break;
    case OperationArgument::Range:
        text += ':' + std::to_string(operation.range.low);
        if (operation.range.high != operation.range.low)
            text += '-' + std::to_string(operation.range.high);
        break;
    }
    return text;
}
