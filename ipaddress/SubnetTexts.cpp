#include "ipaddress/SubnetTexts.h"

namespace subnettexts {

std::string decimalClassMaskCaption(char classLetter)
{
    return std::string("Decimal Class ") + classLetter + " Mask";
}

std::string hexClassMaskCaption(char classLetter)
{
    return std::string("Hex Class ") + classLetter + " Mask";
}

std::string hostRange(const TIPAddSubnet& subnet)
{
    std::string text;
    writeHostRange(subnet, text);
    return text;
}

void writeHostRange(const TIPAddSubnet& subnet, std::string& text)
{
    text.clear();
    text += subnet.FirstHost().DecimalText();
    text += "  -  ";
    text += subnet.LastHost().DecimalText();
}

std::string subnetNumber(int64_t number)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 5)
        digits.insert(0, 5 - digits.size(), ' ');
    return digits;
}

std::string supernetRange(const TIPAddSupernet& supernet)
{
    return supernet.Route().DecimalText() + "  -  " + supernet.RangeEnd().DecimalText();
}

std::string routeMask(const TIPAddSupernet& supernet)
{
    return supernet.Route().DecimalText() + "  /  " + supernet.RangeMask().DecimalText();
}

std::string hexRouteMask(const TIPAddSupernet& supernet)
{
    return supernet.Route().HexText() + "  /  " + supernet.RangeMask().HexText();
}

SubnetCursor::SubnetCursor(const TIPAddSubnet& subnet)
{
    // The model's address with its subnet bits cleared lies in subnet 0. The
    // address gives the cursor the model's class, and the model's bits fit
    // that class, so setting them switches nothing.
    FCursor.SetAddress(subnet.GetAddress() & ~subnet.RangeMask().GetAddress());
    FCursor.SetSubnetBits(subnet.SubnetBits());
    FStep = uint32_t(1) << (32 - FCursor.NetworkBits() - FCursor.SubnetBits());
}

void SubnetCursor::Next()
{
    // The first octet is at most 223, so one step past the last subnet
    // reaches 224.0.0.0 at most and never wraps.
    FCursor.SetAddress(FCursor.GetAddress() + FStep);
}

} // namespace subnettexts
