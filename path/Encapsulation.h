#pragma once

#include <string>
#include <vector>

// The layers a packet can be wrapped in on its way, and what each costs: the
// encapsulation table, and a stack of its layers fitted into a link MTU.

// What a layer's setting is, where it has one.
enum class TLayerSetting
{
    None,
    OptionBytes,  // GENEVE: bytes of options after the base header
    NatTraversal, // ESP: 0 without, 1 with the UDP header of NAT traversal
};

// One row of the table. A layer either takes bytes from the MTU (a header,
// a trailer, a tunnel's outer packet) or, as a VLAN tag does, lengthens the
// Ethernet frame and leaves the MTU alone.
struct TEncapsulation
{
    const char* Name;  // as the command line writes it: "vxlan4"
    const char* Title; // as the window lists it: "VXLAN over IPv4"
    int Overhead;      // bytes taken from the MTU, before any padding
    int FrameBytes;    // bytes added to the Ethernet frame instead
    int Block;         // ESP: payload and 2-byte trailer padded to a multiple; 0: none
    TLayerSetting Setting;
    const char* Source; // where the sizes come from
    const char* Parts;  // what the bytes are
};

const std::vector<TEncapsulation>& encapsulationTable();
// The row of that name; nullptr when there is none.
const TEncapsulation* findEncapsulation(const std::string& name);

// GENEVE's options are counted in 4-byte words in a 6-bit field (RFC 8926,
// section 3.4): 0 to 252 bytes.
constexpr int maxOptionBytes = 252;
// NAT traversal puts a UDP header before ESP (RFC 3948, section 2.1).
constexpr int natTraversalBytes = 8;
// ESP's trailer: pad length and next header, one byte each (RFC 4303, 2.5, 2.6).
constexpr int espTrailerBytes = 2;

// A layer of a stack: its row and its setting (option bytes, or 1 for NAT
// traversal).
struct TEncapLayer
{
    const TEncapsulation* Kind = nullptr;
    int Setting = 0;

    friend bool operator==(const TEncapLayer& a, const TEncapLayer& b)
    {
        return a.Kind == b.Kind && a.Setting == b.Setting;
    }
    friend bool operator!=(const TEncapLayer& a, const TEncapLayer& b) { return !(a == b); }
};

// A layer as text: "NAME", "geneve4:8" (option bytes), "esp-gcm:nat".
std::string layerText(const TEncapLayer& layer);
// Layers joined by ",", innermost first.
std::string stackText(const std::vector<TEncapLayer>& stack);
// "GENEVE over IPv4, 8 bytes of options", "IPsec ESP ..., NAT traversal".
std::string layerTitle(const TEncapLayer& layer);
// Reads what layerText and stackText write; blanks around names are allowed,
// an empty text is an empty stack. Raises EPathInputError (Stack) naming the
// layer it cannot read.
TEncapLayer readLayer(const std::string& text);
std::vector<TEncapLayer> readStack(const std::string& text);

// Where a layer sits in a stack fitted into a link: the bytes its own outer
// packet may take (Room), and the largest packet it can carry inside them.
struct TLayerFit
{
    int Room = 0;
    int Inner = 0;
    // What the layer costs at this place: the bytes it takes from the MTU
    // (padding that cannot be used included), or a tag's frame bytes.
    int Bytes = 0;
    bool Frame = false;
};

struct TStackFit
{
    std::vector<TLayerFit> Layers; // in stack order, innermost first
    int InnerMtu = 0;              // the largest packet inside every layer
    int OuterPacket = 0;           // the link's packet that carries one of InnerMtu bytes
    int FrameBytes = 0;            // tags on the link's Ethernet frame
};

// Fits the stack (innermost first, outermost last) into the link MTU. A tag
// describes the link's own Ethernet frame, so it must lie outside every other
// layer. Raises EPathInputError: Stack for a tag inside another layer, Mtu
// when a layer finds no room for any packet.
TStackFit fitStack(int linkMtu, const std::vector<TEncapLayer>& stack);
