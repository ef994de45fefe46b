#include "ipaddress/IPAddress.h"

TIPAddSupernet::TIPAddSupernet()
{
    FAddress = 0xC0000001u; // 192.0.0.1
    classify(192);
    updateClassMask();
    updateRangeMask();
}

void TIPAddSupernet::updateRangeMask()
{
    FRangeMask.SetAddress(MakeMask(31, FSupernetBits));
}

void TIPAddSupernet::clampToClass(TAddressClass previousClass)
{
    // A supernet spans at least two classful networks of its class once the
    // address has moved into another class.
    if (FClassType != previousClass && FSupernetBits > FNetworkBits - 1) {
        FSupernetBits = static_cast<uint8_t>(FNetworkBits - 1);
        updateRangeMask();
    }
}

void TIPAddSupernet::SetByte(uint8_t index, uint8_t value)
{
    const TAddressClass previousClass = FClassType;
    TIPAddNetwork::SetByte(index, value);
    clampToClass(previousClass);
}

void TIPAddSupernet::SetAddress(uint32_t value)
{
    // Without the clamp a new class with fewer network bits would leave the
    // prefix longer than the network, and SupernetCount without meaning.
    const TAddressClass previousClass = FClassType;
    TIPAddNetwork::SetAddress(value);
    clampToClass(previousClass);
}

void TIPAddSupernet::SetClassType(TAddressClass type)
{
    const TAddressClass previousClass = FClassType;
    TIPAddNetwork::SetClassType(type);
    clampToClass(previousClass);
}

void TIPAddSupernet::SetSupernetBits(uint8_t bits)
{
    if (bits < 1)
        bits = 1;
    else if (bits > 24)
        bits = 24;
    if (bits == FSupernetBits)
        return;
    if (bits < FSupernetBits) {
        // The shortest prefixes only fit the larger classes.
        if (bits == 1)
            SetClassType(acClassA);
        else if (bits == 2)
            SetClassType(acClassB);
    } else if (bits >= 17) {
        SetClassType(acClassC);
    } else if (bits >= 9) {
        SetClassType(acClassB);
    }
    // The bits asked for win over any clamp the class choice made.
    FSupernetBits = bits;
    updateRangeMask();
}

int32_t TIPAddSupernet::SupernetCount() const
{
    return static_cast<int32_t>(uint32_t(1) << (FNetworkBits - FSupernetBits));
}
