#pragma once

#include "path/ElementDelay.h"
#include "path/LatencyComputation.h"

#include <cstdint>
#include <string>

// The latency chain's limits: node A, one to fourteen networks in the order
// a packet passes them, and node B. As many elements as the setup panel has
// cells and the graphs have colours.
constexpr int maxNetworks = 14;
constexpr int maxChainLength = maxNetworks + 2;

// The setup panel the elements are placed on, and the elements on it, in
// pixels.
constexpr int32_t setupPanelWidth = 268;
constexpr int32_t setupPanelHeight = 258;
constexpr int32_t elementSize = 50;

// An element's top-left corner on the setup panel.
struct TPanelPoint
{
    int32_t X = 0;
    int32_t Y = 0;

    friend bool operator==(const TPanelPoint& a, const TPanelPoint& b)
    {
        return a.X == b.X && a.Y == b.Y;
    }
    friend bool operator!=(const TPanelPoint& a, const TPanelPoint& b) { return !(a == b); }
};

// Where a new network is placed, and where the two nodes stay.
constexpr TPanelPoint newNetworkPosition{75, 72};
constexpr TPanelPoint nodeAPosition{8, 8};
constexpr TPanelPoint nodeBPosition{210, 200};

// The nodes' names (node A is the client, node B the server), and the name
// of a network whose topology nobody chose.
constexpr const char* NodeAName = "Node A";
constexpr const char* NodeBName = "Node B";
constexpr const char* UnknownNetworkName = "<Unknown Network>";

// One element of the chain: what its delay depends on, its name and label,
// its place on the setup panel, its choices in the properties dialog's lists
// and its last figures. Texts are UTF-8.
struct TNetworkElement : TChainElement
{
    std::string NetworkName = UnknownNetworkName;
    // The label that names the element everywhere (its hint, the table rows,
    // the legend, menus). A fresh network shows its name alone; the chain
    // makes it with elementLabel() whenever the element takes new values.
    std::string Hint = NetworkName;
    TPanelPoint Position;
    int16_t BandwidthIndex = -1; // entry of the kind's bandwidth list; -1 if typed or unset
    int16_t TopologyIndex = -1;  // entry of the topology list; -1 if typed or unset
    TElementLatency Latency;
};

// The label of an element's values: its name, then "(64 bytes)" for a node
// or "(10 Mbps)" for a network (the bandwidth in general format with six
// significant digits): "Node A (64 bytes)", "Ethernet (10 Mbps)".
std::string elementLabel(const TNetworkElement& element);
