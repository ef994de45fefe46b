#pragma once

#include <cstdint>

class TIPAddSubnet;
class TIPAddSupernet;

// How the subnet calculator takes a typed address into its models: octet by
// octet, from the first, each through the model's own octet write, so the
// first octet is normalised and the class follows it as it does in the
// window.
namespace subnetentry {

// The Address Info tab's limits for a typed octet: the first at most 223,
// the last from 1 to 254 (it names a host, never the subnet or its
// broadcast), the others at most 255.
int32_t clampAddressInfoOctet(int index, int32_t number);

// The four octets of `address` typed on the Address Info tab.
void enterAddressInfo(TIPAddSubnet& subnet, uint32_t address);

// The four octets of `address` typed on the CIDR tab, which takes each
// octet as it is.
void enterCidr(TIPAddSupernet& supernet, uint32_t address);

} // namespace subnetentry
