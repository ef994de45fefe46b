#include "core/BinDecHex.h"

std::string GroupDigits(const std::string& text, char separator, int groupSize)
{
    if (groupSize < 1)
        return text;
    std::string grouped = text;
    // Insert from the right towards the left: the positions still to come
    // lie to the left of every insertion and so do not move.
    const auto n = static_cast<std::ptrdiff_t>(groupSize);
    for (auto p = static_cast<std::ptrdiff_t>(text.size()) - n; p > 0; p -= n)
        grouped.insert(static_cast<size_t>(p), 1, separator);
    return grouped;
}

std::string GroupThousands(const std::string& text)
{
    if (!text.empty() && text[0] == '-')
        return "-" + GroupDigits(text.substr(1), ',', 3);
    return GroupDigits(text, ',', 3);
}

std::string GroupBy(const std::string& text, int groupSize)
{
    return GroupDigits(text, ' ', groupSize);
}

std::string GroupHex(const std::string& text)
{
    return GroupBy(text, 2);
}

std::string GroupBin(const std::string& text)
{
    return GroupBy(text, 8);
}

uint64_t BinToBits(const std::string& text)
{
    uint64_t result = 0;
    const size_t length = text.size();
    for (size_t k = 0; k < length && k < 64; ++k) {
        if (text[length - 1 - k] == '1')
            result |= uint64_t(1) << k;
    }
    return result;
}

int32_t BinToInt(const std::string& text)
{
    // Digits further left only reach bits above the 32 kept.
    return static_cast<int32_t>(static_cast<uint32_t>(BinToBits(text)));
}

namespace {
uint64_t hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint64_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint64_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint64_t>(c - 'a' + 10);
    return 0;
}
} // namespace

uint64_t HexToBits(const std::string& text)
{
    uint64_t result = 0;
    const size_t length = text.size();
    for (size_t k = 0; k < length && k < 16; ++k)
        result |= hexDigitValue(text[length - 1 - k]) << (4 * k);
    return result;
}

int32_t HexToInt(const std::string& text)
{
    return static_cast<int32_t>(static_cast<uint32_t>(HexToBits(text)));
}

namespace {
std::string binaryOfBits(uint64_t v, int digits)
{
    if (digits < 1)
        return std::string();
    std::string bits(static_cast<size_t>(digits), '0');
    for (auto i = bits.rbegin(); i != bits.rend() && v != 0; ++i, v >>= 1) {
        if (v & 1)
            *i = '1';
    }
    return bits;
}
} // namespace

std::string IntToBin(int32_t value, int digits)
{
    // Only the value's own 32 bits, whatever the count.
    return binaryOfBits(static_cast<uint32_t>(value), digits);
}

std::string Int64ToBin(int64_t value, int digits)
{
    return binaryOfBits(static_cast<uint64_t>(value), digits);
}

std::string StripSeparators(const std::string& text)
{
    std::string stripped;
    stripped.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != ',' && c != '.')
            stripped.push_back(c);
    }
    return stripped;
}
