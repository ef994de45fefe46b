#include "path/LatencyElement.h"

#include "core/FloatConversions.h"

std::string elementLabel(const TNetworkElement& element)
{
    if (element.isNode())
        return element.NetworkName + " (" + std::to_string(element.PacketSize) + " bytes)";
    return element.NetworkName + " (" + conv::floatToStrGeneral(element.Bandwidth) + " Mbps)";
}
