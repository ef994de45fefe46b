#include "core/ElementLabel.h"

#include "core/FloatConversions.h"

std::string networkLabelSuffix(float bandwidth)
{
    return " (" + conv::floatToStrGeneral(bandwidth) + " Mbps)";
}

std::string nodeLabelSuffix(int32_t packetSize)
{
    return " (" + std::to_string(packetSize) + " bytes)";
}
