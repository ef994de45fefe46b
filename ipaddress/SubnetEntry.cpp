#include "ipaddress/SubnetEntry.h"

#include "ipaddress/IPAddress.h"

#include <algorithm>

namespace subnetentry {

namespace {

uint8_t octetOf(uint32_t address, int index)
{
    return uint8_t(address >> (24 - 8 * index));
}

} // namespace

int32_t clampAddressInfoOctet(int index, int32_t number)
{
    if (index == 0)
        return std::clamp<int32_t>(number, 0, 223);
    if (index == 3)
        return std::clamp<int32_t>(number, 1, 254);
    return std::clamp<int32_t>(number, 0, 255);
}

void enterAddressInfo(TIPAddSubnet& subnet, uint32_t address)
{
    for (int index = 0; index < 4; ++index) {
        const auto octet = uint8_t(clampAddressInfoOctet(index, octetOf(address, index)));
        if (octet != subnet.GetByte(uint8_t(index)))
            subnet.SetByte(uint8_t(index), octet);
    }
}

void enterCidr(TIPAddSupernet& supernet, uint32_t address)
{
    for (int index = 0; index < 4; ++index)
        supernet.SetByte(uint8_t(index), octetOf(address, index));
}

} // namespace subnetentry
