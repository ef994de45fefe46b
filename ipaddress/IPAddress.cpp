#include "ipaddress/IPAddress.h"

#include "core/Errors.h"

namespace {

struct ClassInfo
{
    uint8_t networkBits;
    uint8_t firstOctet; // written when the class is chosen explicitly
    char letter;
};

// Indexed by class code: A, B, C, D, E.
constexpr ClassInfo classTable[] = {
    {8, 1, 'A'}, {16, 128, 'B'}, {24, 192, 'C'}, {0, 224, 'D'}, {0, 240, 'E'},
};

constexpr uint8_t classCount = sizeof(classTable) / sizeof(classTable[0]);

} // namespace

// ---- TIPAddress -------------------------------------------------------------

void TIPAddress::checkByteIndex(uint8_t index)
{
    if (index > 3)
        throw EZentrixError("Invalid TIPAddress Byte Index");
}

uint8_t TIPAddress::GetByte(uint8_t index) const
{
    checkByteIndex(index);
    return static_cast<uint8_t>(FAddress >> (24 - 8 * index));
}

void TIPAddress::writeByte(uint8_t index, uint8_t value)
{
    const unsigned shift = 24 - 8 * index;
    FAddress = (FAddress & ~(0xFFu << shift)) | (uint32_t(value) << shift);
}

void TIPAddress::SetByte(uint8_t index, uint8_t value)
{
    checkByteIndex(index);
    writeByte(index, value);
}

void TIPAddress::SetAddress(uint32_t value)
{
    FAddress = value;
}

std::string TIPAddress::FormatDecimal(uint32_t value)
{
    // At most 15 characters, so the result stays in the string's own buffer.
    char text[16];
    char* out = text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned octet = (value >> shift) & 0xFF;
        if (octet >= 100)
            *out++ = char('0' + octet / 100);
        if (octet >= 10)
            *out++ = char('0' + octet / 10 % 10);
        *out++ = char('0' + octet % 10);
        if (shift > 0)
            *out++ = '.';
    }
    return std::string(text, out);
}

std::string TIPAddress::FormatHex(uint32_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    char text[11];
    char* out = text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        *out++ = digits[(value >> (shift + 4)) & 0xF];
        *out++ = digits[(value >> shift) & 0xF];
        if (shift > 0)
            *out++ = '.';
    }
    return std::string(text, out);
}

// ---- TIPAddClass ------------------------------------------------------------

void TIPAddClass::classify(uint8_t firstOctet)
{
    TAddressClass type = acClassE;
    if (firstOctet < 128)
        type = acClassA;
    else if (firstOctet < 192)
        type = acClassB;
    else if (firstOctet < 224)
        type = acClassC;
    else if (firstOctet < 240)
        type = acClassD;
    FClassType = type;
    FNetworkBits = classTable[type].networkBits;
}

void TIPAddClass::setClass(TAddressClass type)
{
    FNetworkBits = classTable[type].networkBits;
    writeByte(0, classTable[type].firstOctet);
    FClassType = type;
}

void TIPAddClass::SetByte(uint8_t index, uint8_t value)
{
    checkByteIndex(index);
    if (index == 0 && value != GetByte(0))
        classify(value);
    writeByte(index, value);
}

void TIPAddClass::SetAddress(uint32_t value)
{
    FAddress = value;
    classify(static_cast<uint8_t>(value >> 24));
}

void TIPAddClass::SetClassType(TAddressClass type)
{
    if (type >= classCount)
        throw EZentrixError("Invalid TIPAddClass Class Type");
    // Choosing the current class keeps the first octet as it is, even when it
    // is not the lowest of the class.
    if (type == FClassType)
        return;
    setClass(type);
}

char TIPAddClass::ClassLetter() const
{
    return FClassType < classCount ? classTable[FClassType].letter : '?';
}

// ---- TIPAddMask -------------------------------------------------------------

uint32_t TIPAddMask::MakeMask(uint8_t startBit, uint8_t numBits)
{
    // A mask reaching below bit 0 has no meaning; refusing it also keeps the
    // shift count below from going negative.
    if (startBit > 31 || numBits > 32 || numBits > startBit + 1)
        throw EZentrixError("Invalid TIPAddMask StartBit or NumBits Value");
    const uint64_t ones = (uint64_t(1) << numBits) - 1;
    return static_cast<uint32_t>(ones << (startBit - numBits + 1));
}

void TIPAddMask::updateClassMask()
{
    FClassMask.SetAddress(MakeMask(31, FNetworkBits));
}

void TIPAddMask::SetByte(uint8_t index, uint8_t value)
{
    TIPAddClass::SetByte(index, value);
    updateClassMask();
}

void TIPAddMask::SetAddress(uint32_t value)
{
    TIPAddClass::SetAddress(value);
    updateClassMask();
}

void TIPAddMask::SetClassType(TAddressClass type)
{
    TIPAddClass::SetClassType(type);
    updateClassMask();
}

// ---- TIPAddNetwork ----------------------------------------------------------

uint8_t TIPAddNetwork::normalizedFirstOctet(uint8_t value)
{
    // 0 is "this network" and 127 loopback; 224 and above are classes D and E.
    if (value == 0)
        return 1;
    if (value == 127)
        return 126;
    if (value >= 224)
        return 223;
    return value;
}

void TIPAddNetwork::SetByte(uint8_t index, uint8_t value)
{
    TIPAddMask::SetByte(index, index == 0 ? normalizedFirstOctet(value) : value);
}

void TIPAddNetwork::SetAddress(uint32_t value)
{
    if ((value >> 24) > 223)
        value = (value & 0x00FFFFFFu) | (223u << 24);
    TIPAddMask::SetAddress(value);
}

void TIPAddNetwork::SetClassType(TAddressClass type)
{
    TIPAddMask::SetClassType(type > acClassC ? acClassC : type);
}
