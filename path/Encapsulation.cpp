#include "path/Encapsulation.h"

#include "path/PathFault.h"

#include <algorithm>
#include <cctype>

namespace {

using S = TLayerSetting;

// Each row's bytes as its source lays them out. Tunnels carry their outer IP
// header (IPv4 20 bytes, RFC 791; IPv6 40 bytes, RFC 8200 section 3) and,
// where the protocol runs over UDP, a UDP header of 8 (RFC 768).
const std::vector<TEncapsulation> table = {
    // IEEE 802.1Q-2018, 9.3: a tag of 4 bytes after the source address.
    {"dot1q", "802.1Q VLAN tag", 0, 4, 0, S::None, "IEEE 802.1Q", "tag 4, on the frame"},
    // IEEE 802.1ad (802.1Q-2018, 9.3): a service tag and a customer tag.
    {"qinq", "QinQ (802.1ad), two tags", 0, 8, 0, S::None, "IEEE 802.1ad", "two tags of 4"},
    // RFC 3032, 2.1: each label stack entry is 4 bytes, and section 3 has the
    // labelled packet fit the link: each label takes its bytes from the MTU.
    {"mpls", "MPLS label", 4, 0, 0, S::None, "RFC 3032", "label stack entry 4"},
    // RFC 2516, section 7: the PPPoE header is 6 bytes and the PPP protocol
    // field 2, so the MRU MUST NOT be negotiated above 1492.
    {"pppoe", "PPPoE", 8, 0, 0, S::None, "RFC 2516", "PPPoE 6 + PPP protocol 2"},
    // RFC 2784, 2.1: the GRE header without checksum is 4 bytes.
    {"gre", "GRE over IPv4", 24, 0, 0, S::None, "RFC 2784", "outer IPv4 20 + GRE 4"},
    // RFC 2890, 2.1: the key field adds 4 bytes to the GRE header.
    {"gre-key", "GRE with key over IPv4", 28, 0, 0, S::None, "RFC 2784, RFC 2890",
     "outer IPv4 20 + GRE 4 + key 4"},
    // RFC 2003, 3.1: the outer IPv4 header is the only addition.
    {"ipip", "IPv4 in IPv4", 20, 0, 0, S::None, "RFC 2003", "outer IPv4 20"},
    // RFC 4213, 3.5: IPv6 inside an IPv4 header with protocol 41.
    {"6in4", "IPv6 in IPv4 (6in4)", 20, 0, 0, S::None, "RFC 4213", "outer IPv4 20"},
    // RFC 2473, 3 and 4: a packet tunnelled in an outer IPv6 header.
    {"ipv6", "IP in IPv6", 40, 0, 0, S::None, "RFC 2473", "outer IPv6 40"},
    // RFC 7348, 5: outer IP, UDP, the 8-byte VXLAN header, then the inner
    // Ethernet frame's header (14; its FCS is not carried).
    {"vxlan4", "VXLAN over IPv4", 50, 0, 0, S::None, "RFC 7348",
     "outer IPv4 20 + UDP 8 + VXLAN 8 + inner Ethernet 14"},
    {"vxlan6", "VXLAN over IPv6", 70, 0, 0, S::None, "RFC 7348",
     "outer IPv6 40 + UDP 8 + VXLAN 8 + inner Ethernet 14"},
    // RFC 8926, 3.4: an 8-byte base header and options of Opt Len 4-byte
    // words, here carrying an Ethernet frame (protocol type 0x6558).
    {"geneve4", "GENEVE over IPv4", 50, 0, 0, S::OptionBytes, "RFC 8926",
     "outer IPv4 20 + UDP 8 + GENEVE 8 + options + inner Ethernet 14"},
    {"geneve6", "GENEVE over IPv6", 70, 0, 0, S::OptionBytes, "RFC 8926",
     "outer IPv6 40 + UDP 8 + GENEVE 8 + options + inner Ethernet 14"},
    // RFC 9300, 5.1: outer IP, UDP and the 8-byte LISP header before the
    // inner IP packet.
    {"lisp4", "LISP over IPv4", 36, 0, 0, S::None, "RFC 9300", "outer IPv4 20 + UDP 8 + LISP 8"},
    {"lisp6", "LISP over IPv6", 56, 0, 0, S::None, "RFC 9300", "outer IPv6 40 + UDP 8 + LISP 8"},
    // WireGuard (Donenfeld, NDSS 2017), 5.4.6: a transport message is type 1,
    // reserved 3, receiver index 4 and counter 8 (16), then the encrypted
    // packet with its 16-byte Poly1305 tag. The packet is padded to a multiple
    // of 16, but never past the MTU, so the padding costs no MTU.
    {"wireguard4", "WireGuard over IPv4", 60, 0, 0, S::None, "WireGuard protocol paper, 5.4.6",
     "outer IPv4 20 + UDP 8 + header 16 + Poly1305 tag 16"},
    {"wireguard6", "WireGuard over IPv6", 80, 0, 0, S::None, "WireGuard protocol paper, 5.4.6",
     "outer IPv6 40 + UDP 8 + header 16 + Poly1305 tag 16"},
    // RFC 4303, 2: SPI 4 and sequence number 4; the payload, padding, pad
    // length and next header aligned to 4 bytes. RFC 4106, 3.1 and 6: an
    // 8-byte IV and a 16-byte ICV (AES-GCM-16); GCM needs no block padding,
    // only ESP's 4-byte alignment (RFC 4106, 7).
    {"esp-gcm", "IPsec ESP tunnel over IPv4, AES-GCM-16", 52, 0, 4, S::NatTraversal,
     "RFC 4303, RFC 4106",
     "outer IPv4 20 + SPI 4 + sequence 4 + IV 8 + ICV 16; data and trailer 2 padded to 4"},
    // RFC 3602, 2.1 and 2.4: AES-CBC has a 16-byte IV and pads to its 16-byte
    // block. RFC 2404, 2: HMAC-SHA-1-96 leaves a 12-byte ICV.
    {"esp-cbc", "IPsec ESP tunnel over IPv4, AES-CBC with HMAC-SHA1-96", 56, 0, 16, S::NatTraversal,
     "RFC 4303, RFC 3602, RFC 2404",
     "outer IPv4 20 + SPI 4 + sequence 4 + IV 16 + ICV 12; data and trailer 2 padded to 16"},
    {"esp-gcm6", "IPsec ESP tunnel over IPv6, AES-GCM-16", 72, 0, 4, S::NatTraversal,
     "RFC 4303, RFC 4106",
     "outer IPv6 40 + SPI 4 + sequence 4 + IV 8 + ICV 16; data and trailer 2 padded to 4"},
    {"esp-cbc6", "IPsec ESP tunnel over IPv6, AES-CBC with HMAC-SHA1-96", 76, 0, 16,
     S::NatTraversal, "RFC 4303, RFC 3602, RFC 2404",
     "outer IPv6 40 + SPI 4 + sequence 4 + IV 16 + ICV 12; data and trailer 2 padded to 16"},
};

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string layerNames()
{
    std::string names;
    for (const TEncapsulation& row : table)
        names += (names.empty() ? "" : ", ") + std::string(row.Name);
    return names;
}

[[noreturn]] void badLayer(const std::string& problem)
{
    throw EPathInputError(TPathField::Stack, problem);
}

// The setting's check, shared by the reader and the fitting.
void checkSetting(const TEncapLayer& layer, const std::string& text)
{
    switch (layer.Kind->Setting) {
    case S::None:
        if (layer.Setting != 0)
            badLayer("'" + text + "': " + layer.Kind->Name + " takes no setting");
        break;
    case S::OptionBytes:
        if (layer.Setting < 0 || layer.Setting > maxOptionBytes || layer.Setting % 4 != 0)
            badLayer("'" + text + "': GENEVE options are 0 to 252 bytes, in steps of 4");
        break;
    case S::NatTraversal:
        if (layer.Setting != 0 && layer.Setting != 1)
            badLayer("'" + text + "': the setting of ESP is nat (NAT traversal)");
        break;
    }
}

// The bytes the layer takes before padding, with its setting.
int fixedBytes(const TEncapLayer& layer)
{
    switch (layer.Kind->Setting) {
    case S::OptionBytes:
        return layer.Kind->Overhead + layer.Setting;
    case S::NatTraversal:
        return layer.Kind->Overhead + (layer.Setting ? natTraversalBytes : 0);
    case S::None:
        break;
    }
    return layer.Kind->Overhead;
}

// The layer's own packet around an inner packet of `inner` bytes.
int outerPacket(const TEncapLayer& layer, int inner)
{
    const int block = layer.Kind->Block;
    if (block == 0)
        return fixedBytes(layer) + inner;
    const int padded = (inner + espTrailerBytes + block - 1) / block * block;
    return fixedBytes(layer) + padded;
}

} // namespace

const std::vector<TEncapsulation>& encapsulationTable()
{
    return table;
}

const TEncapsulation* findEncapsulation(const std::string& name)
{
    const std::string wanted = lowered(name);
    for (const TEncapsulation& row : table)
        if (wanted == row.Name)
            return &row;
    return nullptr;
}

std::string layerText(const TEncapLayer& layer)
{
    std::string text = layer.Kind->Name;
    if (layer.Kind->Setting == S::OptionBytes && layer.Setting != 0)
        text += ":" + std::to_string(layer.Setting);
    else if (layer.Kind->Setting == S::NatTraversal && layer.Setting != 0)
        text += ":nat";
    return text;
}

std::string stackText(const std::vector<TEncapLayer>& stack)
{
    std::string text;
    for (const TEncapLayer& layer : stack)
        text += (text.empty() ? "" : ",") + layerText(layer);
    return text;
}

std::string layerTitle(const TEncapLayer& layer)
{
    std::string title = layer.Kind->Title;
    if (layer.Kind->Setting == S::OptionBytes && layer.Setting != 0)
        title += ", " + std::to_string(layer.Setting) + " bytes of options";
    else if (layer.Kind->Setting == S::NatTraversal && layer.Setting != 0)
        title += ", NAT traversal";
    return title;
}

TEncapLayer readLayer(const std::string& text)
{
    const std::string written = trimmed(text);
    const auto colon = written.find(':');
    const std::string name = trimmed(written.substr(0, colon));
    TEncapLayer layer;
    layer.Kind = findEncapsulation(name);
    if (!layer.Kind)
        badLayer("'" + name + "' is no layer; the layers are " + layerNames());
    if (colon == std::string::npos)
        return layer;
    const std::string setting = lowered(trimmed(written.substr(colon + 1)));
    if (layer.Kind->Setting == S::NatTraversal) {
        layer.Setting = setting == "nat" ? 1 : -1;
    } else if (layer.Kind->Setting == S::OptionBytes) {
        const bool digits = !setting.empty() && setting.size() <= 3 &&
                            std::all_of(setting.begin(), setting.end(),
                                        [](unsigned char c) { return std::isdigit(c); });
        layer.Setting = digits ? std::stoi(setting) : -1;
    } else {
        layer.Setting = -1;
    }
    checkSetting(layer, written);
    return layer;
}

std::vector<TEncapLayer> readStack(const std::string& text)
{
    std::vector<TEncapLayer> stack;
    if (trimmed(text).empty())
        return stack;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        if (trimmed(item).empty())
            badLayer("'" + text + "' has an empty layer between its commas");
        stack.push_back(readLayer(item));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return stack;
}

TStackFit fitStack(int linkMtu, const std::vector<TEncapLayer>& stack)
{
    TStackFit fit;
    fit.Layers.resize(stack.size());
    // A tag belongs to the link's frame: every layer outside it must be a tag too.
    bool tagSeen = false;
    for (const TEncapLayer& layer : stack) {
        checkSetting(layer, layerText(layer));
        const bool tag = layer.Kind->FrameBytes > 0;
        if (tagSeen && !tag)
            badLayer(std::string(layer.Kind->Title) +
                     " lies outside a VLAN tag; a tag lengthens the link's Ethernet frame, so it "
                     "goes outermost (last)");
        tagSeen = tagSeen || tag;
    }

    int room = linkMtu;
    for (size_t i = stack.size(); i-- > 0;) {
        const TEncapLayer& layer = stack[i];
        TLayerFit& place = fit.Layers[i];
        place.Room = room;
        if (layer.Kind->FrameBytes > 0) {
            place.Inner = room;
            place.Bytes = layer.Kind->FrameBytes;
            place.Frame = true;
            fit.FrameBytes += layer.Kind->FrameBytes;
            continue;
        }
        const int fixed = fixedBytes(layer);
        const int block = layer.Kind->Block;
        int inner = room - fixed;
        if (block > 0)
            inner = (room - fixed) >= block ? (room - fixed) / block * block - espTrailerBytes : 0;
        if (inner < 1) {
            std::string problem = std::to_string(linkMtu) +
                                  " bytes leave no room for a packet inside " + layerTitle(layer) +
                                  ": it has " + std::to_string(room) + " bytes there and takes " +
                                  std::to_string(fixed);
            if (block > 0)
                problem += " before padding to " + std::to_string(block);
            throw EPathInputError(TPathField::Mtu, problem);
        }
        place.Inner = inner;
        place.Bytes = room - inner;
        room = inner;
    }
    fit.InnerMtu = room;

    int packet = fit.InnerMtu;
    for (const TEncapLayer& layer : stack)
        if (layer.Kind->FrameBytes == 0)
            packet = outerPacket(layer, packet);
    fit.OuterPacket = packet;
    return fit;
}
