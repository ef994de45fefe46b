#pragma once

#include "ipaddress/IPAddress.h"

#include <cstdint>
#include <string>

// What the subnet calculator shows, as plain text: the captions of its
// result panels and the texts it writes into them. The window and the
// command line both take their texts from here, so they cannot drift apart.
namespace subnettexts {

// Tab titles.
constexpr const char* GeneralInfoTitle = "General Info";
constexpr const char* AddressInfoTitle = "Address Info";
constexpr const char* SubnetsHostsTitle = "Subnets/Hosts";
constexpr const char* CidrTitle = "CIDR";

// Captions of the selector and the bits above the tabs, without their
// keyboard accelerators.
constexpr const char* AddressTypeCaption = "Address Type";
constexpr const char* AddressPrefixCaption = "Address Prefix";
constexpr const char* SubnetBitsCaption = "Subnet Bits";
constexpr const char* SupernetBitsCaption = "Supernet Bits";

// Captions above the result panels (the trailing blank of the first is the
// window's own).
constexpr const char* MaxSubnetsCaption = "Max # of Subnets ";
constexpr const char* MaxHostsCaption = "Max # of Hosts";
constexpr const char* BitMapCaption = "Bit Map (n=network, s=subnet, h=host)";
constexpr const char* DecimalNetworkMaskCaption = "Decimal Network Mask";
constexpr const char* HexNetworkMaskCaption = "Hex Network Mask";
constexpr const char* IpAddressCaption = "IP Address";
constexpr const char* HexadecimalCaption = "Hexadecimal";
constexpr const char* SubnetRangeCaption = "Subnet Address Allocation Range";
constexpr const char* SubnetMaskCaption = "Subnet Mask";
constexpr const char* SubnetIdCaption = "Subnet ID";
constexpr const char* NetworkIdCaption = "Network ID";
constexpr const char* HostIdCaption = "Host ID";
constexpr const char* MaxSupernetsCaption = "Max # of Supernets";
constexpr const char* SupernetRangeCaption = "Supernet Address Allocation Range";
constexpr const char* RouteMaskCaption = "Route/Mask";
constexpr const char* HexRouteMaskCaption = "Hexadecimal  Route/Mask";

// Headers of the Subnets/Hosts table.
constexpr const char* SubnetColumnHeader = "Subnet";
constexpr const char* HostRangeColumnHeader = "Host Range";

// "Decimal Class B Mask" and "Hex Class B Mask" for the model's class.
std::string decimalClassMaskCaption(char classLetter);
std::string hexClassMaskCaption(char classLetter);

// "128.0.0.1  -  128.0.0.254": first and last host of the model's subnet.
std::string hostRange(const TIPAddSubnet& subnet);
// The same, written over `text`: listing 16,384 rows into one reused string
// spares an allocation a row.
void writeHostRange(const TIPAddSubnet& subnet, std::string& text);

// A subnet number right-aligned in five characters: "    0", "16384";
// larger numbers take the room they need.
std::string subnetNumber(int64_t number);

// The CIDR tab: "192.0.0.0  -  192.0.1.255" (route to the block's last
// address), "192.0.0.0  /  255.255.254.0" and "C0.00.00.00  /  FF.FF.FE.00".
std::string supernetRange(const TIPAddSupernet& supernet);
std::string routeMask(const TIPAddSupernet& supernet);
std::string hexRouteMask(const TIPAddSupernet& supernet);

// A cursor over the subnets of the model's network, from subnet 0 in
// order: Current() is a model whose address lies in the subnet (its host part
// is not the model's), Next() moves it on by one subnet's size. Only the
// network, class and subnet bits of the model matter.
class SubnetCursor
{
public:
    explicit SubnetCursor(const TIPAddSubnet& subnet);

    const TIPAddSubnet& Current() const { return FCursor; }
    void Next();
    // 2^SubnetBits: the all-zeros and all-ones subnets included.
    int64_t Count() const { return int64_t(1) << FCursor.SubnetBits(); }

private:
    TIPAddSubnet FCursor;
    uint32_t FStep;
};

} // namespace subnettexts
