#include "path/ChainValue.h"

#include "path/LatencyLayout.h"
#include "path/TopologyTable.h"

namespace {

TNetworkElement node(TNetworkButtonKind kind, const char* name, TPanelPoint cell)
{
    TNetworkElement element;
    element.Kind = kind;
    element.NetworkName = name;
    element.Hint = elementLabel(element);
    element.Position = cell;
    return element;
}

TNetworkElement restoredNetwork(const TStoredNetwork& stored, TTopologyList& offered)
{
    TNetworkElement element = TChainValue::freshNetwork();
    static_cast<TChainElement&>(element) = storedNetworkTiming(stored);
    const std::optional<TNetworkRecord>& record = stored.Record;
    if (record)
        element.Position.X = record->Left;
    // Reading stopped at the name: the network keeps what was taken over
    // before it and is otherwise fresh.
    if (!stored.Name)
        return element;
    element.NetworkName = *stored.Name;
    element.Hint = elementLabel(element);
    if (record)
        element.Position.Y = record->Top;
    element.TopologyIndex =
        static_cast<int16_t>(element.NetworkName.empty() ? -1 : offered.add(element.NetworkName));
    element.BandwidthIndex =
        static_cast<int16_t>(kindBandwidthIndex(element.Kind, element.Bandwidth));
    return element;
}

} // namespace

TChainValue::TChainValue()
{
    FElements.reserve(maxChainLength);
    FElements.push_back(node(nbDesktopCPU, NodeAName, nodeAPosition));
    FElements.push_back(freshNetwork());
    FElements.push_back(node(nbTowerCPU, NodeBName, nodeBPosition));
}

TNetworkElement TChainValue::freshNetwork()
{
    TNetworkElement element;
    element.Position = newNetworkPosition;
    return element;
}

void TChainValue::selectElement(int position)
{
    if (position >= 0 && position < count())
        FSelectedElement = position;
}

int TChainValue::insertNetwork()
{
    if (!canInsert())
        return -1;
    const int position = FSelectedElement == 0 ? 1 : FSelectedElement;
    FElements.insert(FElements.begin() + position, freshNetwork());
    FSelectedElement = position;
    return position;
}

bool TChainValue::removeNetwork(int position)
{
    if (!canRemove() || !isNetwork(position))
        return false;
    FElements.erase(FElements.begin() + position);
    FSelectedElement = position;
    return true;
}

void TChainValue::replaceNetworks(const std::vector<TNetworkElement>& networks)
{
    const TNetworkElement nodeA = FElements.front();
    const TNetworkElement nodeB = FElements.back();
    FElements.clear();
    FElements.push_back(nodeA);
    for (const TNetworkElement& network : networks) {
        // Room is kept for node B.
        if (!network.isNode() && count() < maxChainLength - 1)
            FElements.push_back(network);
    }
    if (count() == 1)
        FElements.push_back(freshNetwork());
    FElements.push_back(nodeB);
    FSelectedElement = count() - 2;
}

bool TChainValue::setElement(int position, const TNetworkElement& element)
{
    if (position < 0 || position >= count() || element.isNode() == isNetwork(position))
        return false;
    TNetworkElement& target = FElements[size_t(position)];
    const TNetworkButtonKind kind = target.Kind;
    target = element;
    // Node A stays the client and node B the server.
    if (!isNetwork(position))
        target.Kind = kind;
    target.Hint = elementLabel(target);
    return true;
}

bool TChainValue::moveElement(int position, TPanelPoint topLeft)
{
    if (!isNetwork(position) || FElements[size_t(position)].Position == topLeft)
        return false;
    FElements[size_t(position)].Position = topLeft;
    return true;
}

void TChainValue::setLatencies(const std::vector<TElementLatency>& latencies)
{
    for (size_t i = 0; i < FElements.size() && i < latencies.size(); ++i)
        FElements[i].Latency = latencies[i];
}

TChainValue firstRunChain()
{
    TChainValue chain;
    TNetworkElement nodeA = chain.nodeA();
    nodeA.PacketSize = 64;
    chain.setElement(0, nodeA);
    TNetworkElement nodeB = chain.nodeB();
    nodeB.PacketSize = 1024;
    chain.setElement(chain.count() - 1, nodeB);
    return chain;
}

TChainValue restoredChain(TChainValue chain, const TLatencyLayout& layout, TTopologyList& offered)
{
    const std::optional<TNodeRecord> records[] = {layout.NodeA, layout.NodeB};
    const int positions[] = {0, chain.count() - 1};
    for (int i = 0; i < 2; ++i) {
        if (!records[i])
            continue;
        TNetworkElement node = chain.at(positions[i]);
        node.PacketSize = records[i]->PacketSize;
        node.ProcessTime = records[i]->ProcessTime;
        chain.setElement(positions[i], node);
    }
    std::vector<TNetworkElement> networks;
    for (const TStoredNetwork& stored : layout.Networks)
        networks.push_back(restoredNetwork(stored, offered));
    chain.replaceNetworks(networks);
    return chain;
}

TLatencyLayout storedLayout(const TChainValue& chain)
{
    TLatencyLayout layout;
    layout.NodeA = TNodeRecord{chain.nodeA().PacketSize, chain.nodeA().ProcessTime};
    layout.NodeB = TNodeRecord{chain.nodeB().PacketSize, chain.nodeB().ProcessTime};
    for (int n = 1; n <= chain.networkCount(); ++n) {
        const TNetworkElement& element = chain.at(n);
        TNetworkRecord record;
        record.Bandwidth = element.Bandwidth;
        record.Kind = element.Kind;
        record.Left = element.Position.X;
        record.PropagationDelay = element.PropagationDelay;
        record.Top = element.Position.Y;
        layout.Networks.push_back({record, element.NetworkName});
    }
    return layout;
}
