#pragma once

#include "path/LatencyElement.h"

#include <vector>

struct TLatencyLayout;
class TTopologyList;

// The latency calculator's chain as a value: node A, one to fourteen
// networks in the order a packet passes them, and node B; which of them is
// selected; and the rules by which networks come and go. The window's chain
// holds one and reports its changes; zentrix-cli computes on one.
//
// The chain always holds both nodes and at least one network, and an element
// keeps its role: values that would turn a network into a node, or the
// other way round, are not taken. Whoever gives an element new values gets
// its label made from them.
class TChainValue
{
public:
    // As made: both nodes with an element's defaults, and one fresh network,
    // selected.
    TChainValue();

    const std::vector<TNetworkElement>& elements() const { return FElements; }
    int count() const { return static_cast<int>(FElements.size()); }
    int networkCount() const { return count() - 2; }
    const TNetworkElement& at(int position) const { return FElements.at(size_t(position)); }
    const TNetworkElement& nodeA() const { return FElements.front(); }
    const TNetworkElement& nodeB() const { return FElements.back(); }
    bool isNetwork(int position) const { return position > 0 && position < count() - 1; }

    // The insert point and the target of the properties dialog's OK.
    int selectedElement() const { return FSelectedElement; }
    void selectElement(int position);

    // While the chain has room for another network.
    bool canInsert() const { return count() < maxChainLength; }
    // While the chain holds two or more networks: a sole network stays.
    bool canRemove() const { return networkCount() >= 2; }

    // A fresh network before the selected element (right after node A when
    // node A is selected), which then becomes the selected one. Returns its
    // position, or -1 while the chain is full.
    int insertNetwork();
    // Takes the network at the position out; the element that followed it
    // becomes the selected one. False for a node or the sole network.
    bool removeNetwork(int position);
    // The networks between the nodes become these (at most fourteen, nodes
    // among them skipped; none gives one fresh network), and the last of
    // them the selected element. Their labels are taken as they are.
    void replaceNetworks(const std::vector<TNetworkElement>& networks);
    // Back to one fresh network (selected) between the nodes, which keep
    // their values.
    void reset() { replaceNetworks({}); }

    // New values for the element at the position, labelled from them; a
    // node keeps its kind. False when nothing was taken.
    bool setElement(int position, const TNetworkElement& element);
    // A network's new place on the setup panel; nodes stay. False when
    // nothing moved.
    bool moveElement(int position, TPanelPoint topLeft);
    // The last computation's figures, one per element in chain order.
    void setLatencies(const std::vector<TElementLatency>& latencies);

    // A new network: the element's defaults, placed in the panel's second cell.
    static TNetworkElement freshNetwork();

private:
    std::vector<TNetworkElement> FElements;
    int FSelectedElement = 1;
};

// The chain of a first run: node A sends 64 bytes, node B 1024, and one
// fresh network lies between them.
TChainValue firstRunChain();

// `chain` with a stored layout in it: a node with a record takes its packet
// size and processing time; the networks become the layout's (one fresh
// network when it has none). A stored network is a fresh one with what its
// record gives; read whole, with its name, it also takes its propagation
// delay, its place and a label, and its name joins the `offered` topologies (an empty
// name is no topology). Its list entries are those the properties dialog
// would have chosen.
TChainValue restoredChain(TChainValue chain, const TLatencyLayout& layout, TTopologyList& offered);

// The layout the settings store keeps of the chain.
TLatencyLayout storedLayout(const TChainValue& chain);
