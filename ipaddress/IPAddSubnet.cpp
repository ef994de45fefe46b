#include "ipaddress/IPAddress.h"

TIPAddSubnet::TIPAddSubnet()
{
    FAddress = 0x80000001u; // 128.0.0.1
    classify(128);
    updateClassMask();
    recomputeMasks();
}

void TIPAddSubnet::recomputeMasks()
{
    FMaxSubnetBits = static_cast<uint8_t>(30 - FNetworkBits);
    FRangeMask.SetAddress(MakeMask(static_cast<uint8_t>(31 - FNetworkBits), FSubnetBits));
    FSubnetMask.SetAddress(FClassMask.GetAddress() | FRangeMask.GetAddress());
}

void TIPAddSubnet::SetByte(uint8_t index, uint8_t value)
{
    if (GetByte(index) == value)
        return;
    TIPAddNetwork::SetByte(index, value);
    // A new first octet may have moved the address into a class with fewer
    // host bits; keep at least two of them.
    if (FClassType == acClassB && FSubnetBits > 14)
        SetSubnetBits(14);
    else if (FClassType == acClassC && FSubnetBits > 6)
        SetSubnetBits(6);
    recomputeMasks();
}

void TIPAddSubnet::SetAddress(uint32_t value)
{
    // Clearing the first octet makes the octet write below always see a change,
    // so the class is derived and the masks recomputed. A first octet of 0 would
    // match the cleared octet and be skipped, leaving 0.x.x.x under the old
    // class, so it is taken as 1 here, as the octet write would take it.
    const auto firstOctet = static_cast<uint8_t>(value >> 24);
    FAddress = value & 0x00FFFFFFu;
    SetByte(0, firstOctet == 0 ? 1 : firstOctet);
}

void TIPAddSubnet::SetClassType(TAddressClass type)
{
    if (type > acClassC)
        type = acClassC;
    if (type == FClassType)
        return;
    TIPAddNetwork::SetClassType(type);
    FMaxSubnetBits = static_cast<uint8_t>(30 - FNetworkBits);
    if (FSubnetBits > FMaxSubnetBits)
        FSubnetBits = FMaxSubnetBits;
    recomputeMasks();
}

void TIPAddSubnet::SetSubnetBits(uint8_t bits)
{
    if (bits < 1)
        bits = 1;
    else if (bits > 22)
        bits = 22;
    if (bits == FSubnetBits)
        return;
    // Only raising the bits switches the class, to the one with room for them.
    if (bits > FSubnetBits) {
        if (bits >= 15)
            SetClassType(acClassA);
        else if (bits >= 7 && FClassType == acClassC)
            SetClassType(acClassB);
    }
    FSubnetBits = bits;
    recomputeMasks();
}

std::string TIPAddSubnet::BitMapText() const
{
    // The leading class bits (0, 10, 110) stand in for the first network bits.
    const char* pattern = "110nnnnnnnnnnnnnnnnnnnnn";
    if (FClassType == acClassA)
        pattern = "0nnnnnnn";
    else if (FClassType == acClassB)
        pattern = "10nnnnnnnnnnnnnn";

    char bits[32];
    unsigned length = 0;
    for (; pattern[length] != '\0'; ++length)
        bits[length] = pattern[length];
    for (unsigned i = 0; i < FSubnetBits && length < 32; ++i)
        bits[length++] = 's';
    while (length < 32)
        bits[length++] = 'h';

    std::string text;
    text.reserve(35);
    for (unsigned i = 0; i < 32; ++i) {
        if (i > 0 && i % 8 == 0)
            text += '.';
        text += bits[i];
    }
    return text;
}

int32_t TIPAddSubnet::MaxSubnets() const
{
    return static_cast<int32_t>(uint32_t(1) << FSubnetBits);
}

int32_t TIPAddSubnet::MaxHosts() const
{
    const unsigned hostBits = 32u - FNetworkBits - FSubnetBits;
    return static_cast<int32_t>((uint32_t(1) << hostBits) - 2);
}
