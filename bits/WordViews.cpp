#include "bits/WordViews.h"

#include "bits/FloatBits.h"
#include "ipaddress/AddressText.h"

namespace {

const char HexDigits[] = "0123456789ABCDEF";

std::string byteText(const BitWord& word, bool mostSignificantFirst)
{
    std::string text;
    const unsigned count = word.width / 8;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned index = mostSignificantFirst ? count - 1 - i : i;
        const unsigned byte = unsigned((word.bits >> (index * 8)).lo & 0xFF);
        if (i > 0)
            text += ' ';
        text += HexDigits[byte >> 4];
        text += HexDigits[byte & 15];
    }
    return text;
}

std::string characters(const BitWord& word)
{
    std::string text;
    for (int shift = int(word.width) - 8; shift >= 0; shift -= 8) {
        const unsigned byte = unsigned((word.bits >> unsigned(shift)).lo & 0xFF);
        text += byte >= 0x20 && byte <= 0x7E ? char(byte) : '.';
    }
    return text;
}

std::string number(long long value)
{
    return std::to_string(value);
}

void addFloatViews(ViewFields& fields, const BitWord& word, FloatFormat format)
{
    const FloatLayout& layout = floatLayout(format);
    const FloatFields parts = floatFields(word.bits.lo, format);
    fields.push_back({"float_format", "IEEE-754 format", layout.name});
    fields.push_back({"float_value", "Float value", floatValueText(word.bits.lo, format)});
    fields.push_back({"float_class", "Float class", floatClassName(parts.kind)});
    fields.push_back({"float_sign", "Sign bit", parts.negative ? "1" : "0", FieldType::Number});
    fields.push_back({"float_exponent_field", "Exponent field", number(parts.biasedExponent),
                      FieldType::Number});
    if (parts.exponent)
        fields.push_back(
            {"float_exponent", "Exponent", number(*parts.exponent), FieldType::Number});
    fields.push_back(
        {"float_fraction", "Fraction field", "0x" + hexText(parts.fraction, layout.fractionBits)});
    if (parts.kind == FloatClass::NaN) {
        fields.push_back({"nan_kind", "NaN kind", parts.quiet ? "quiet" : "signalling"});
        fields.push_back(
            {"nan_payload", "NaN payload", "0x" + hexText(parts.payload, layout.fractionBits - 1)});
    }
}

} // namespace

std::string fieldText(const ViewFields& fields, const char* key)
{
    for (const ViewField& field : fields)
        if (std::string_view(field.key) == key)
            return field.text;
    return {};
}

std::string signedDecimalText(const BitWord& word)
{
    const std::string digits = addresstext::decimalText(magnitudeOf(word));
    return isNegative(word) ? "-" + digits : digits;
}

std::string hexText(Uint128 bits, unsigned width)
{
    std::string text((width + 3) / 4, '0');
    for (size_t i = text.size(); i-- > 0; bits = bits >> 4)
        text[i] = HexDigits[bits.lo & 15];
    return text;
}

std::string binaryText(Uint128 bits, unsigned width)
{
    std::string text(width, '0');
    for (unsigned i = 0; i < width; ++i)
        if (((i < 64 ? bits.lo >> i : bits.hi >> (i - 64)) & 1) != 0)
            text[width - 1 - i] = '1';
    return text;
}

std::string octalText(Uint128 bits)
{
    std::string text;
    do {
        text += char('0' + (bits.lo & 7));
        bits = bits >> 3;
    } while (!bits.isZero());
    return std::string(text.rbegin(), text.rend());
}

std::string grouped(const std::string& digits, size_t size, char separator)
{
    if (digits.empty())
        return digits;
    const size_t groups = (digits.size() + size - 1) / size;
    std::string text(digits.size() + groups - 1, separator);
    // From the right: every group but the first is whole.
    size_t out = text.size();
    for (size_t i = digits.size(); i-- > 0;) {
        text[--out] = digits[i];
        if ((digits.size() - i) % size == 0 && out > 0)
            --out;
    }
    return text;
}

ViewFields wordViews(const BitWord& word)
{
    ViewFields fields;
    fields.reserve(28);
    fields.push_back({"width", "Width (bits)", number(word.width), FieldType::Number});
    fields.push_back({"signedness", "Read as", word.isSigned ? "signed" : "unsigned"});
    const std::string decimal = addresstext::decimalText(word.bits);
    fields.push_back({"unsigned", "Unsigned decimal", decimal, FieldType::Number});
    fields.push_back({"signed", "Signed decimal",
                      isNegative(word) ? signedDecimalText(word) : decimal, FieldType::Number});
    fields.push_back({"hexadecimal", "Hexadecimal", hexText(word.bits, word.width)});
    fields.push_back({"octal", "Octal", octalText(word.bits)});
    const std::string binary = binaryText(word.bits, word.width);
    fields.push_back({"binary_by_4", "Binary by 4", grouped(binary, 4, ' ')});
    fields.push_back({"binary_by_8", "Binary by 8", grouped(binary, 8, ' ')});
    fields.push_back({"bytes_big_endian", "Bytes, big-endian", byteText(word, true)});
    fields.push_back({"bytes_little_endian", "Bytes, little-endian", byteText(word, false)});
    fields.push_back({"characters", "Characters", characters(word)});
    if (word.width == 32)
        fields.push_back({"dotted", "IPv4 address", addresstext::ipv4Text(uint32_t(word.bits.lo))});
    if (word.width == 128)
        fields.push_back({"ipv6", "IPv6 address", addresstext::ipv6Text(word.bits)});
    const unsigned ones = wordmath::popCount(word.bits);
    fields.push_back({"population_count", "Ones", number(ones), FieldType::Number});
    fields.push_back({"leading_zeros", "Leading zeros",
                      number(wordmath::leadingZeros(word.bits, word.width)), FieldType::Number});
    const unsigned trailing = countTrailingZeros(word.bits);
    fields.push_back({"trailing_zeros", "Trailing zeros",
                      number(trailing < word.width ? trailing : word.width), FieldType::Number});
    fields.push_back({"parity", "Parity", ones % 2 ? "odd" : "even"});
    fields.push_back({"carry", "Carry", word.carry ? "1" : "0", FieldType::Number});
    if (const std::optional<FloatFormat> format = floatFormatOfWidth(word.width))
        addFloatViews(fields, word, *format);
    return fields;
}

std::string copyText(const BitWord& word, CopyForm form)
{
    const std::string hex = hexText(word.bits, word.width);
    switch (form) {
    case CopyForm::Hex:
        return "0x" + hex;
    case CopyForm::CLiteral:
        return "0x" + grouped(hex, 4, '\'');
    case CopyForm::PlainHex:
        return hex;
    case CopyForm::Binary:
        return binaryText(word.bits, word.width);
    case CopyForm::AllViews:
        break;
    }
    std::string text;
    for (const ViewField& field : wordViews(word)) {
        if (!text.empty())
            text += "\r\n";
        text += field.caption;
        text += '\t';
        text += field.text;
    }
    return text;
}
