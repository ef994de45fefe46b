#include "latency/LatencyChain.h"

#include "core/ElementLabel.h"

#include "latency/SetupGrid.h"

namespace {

TNetworkElement node(TNetworkButtonKind kind, const char* name, const QPoint& cell)
{
    TNetworkElement element;
    element.Kind = kind;
    element.NetworkName = QString::fromLatin1(name);
    element.Hint = nodeLabel(element.NetworkName, element.PacketSize);
    element.Position = cell;
    return element;
}

} // namespace

TLatencyChain::TLatencyChain(QObject* parent) : QObject(parent)
{
    FElements.reserve(maxLength);
    FElements << node(nbDesktopCPU, NodeAName, nodeAPosition) << freshNetwork()
              << node(nbTowerCPU, NodeBName, nodeBPosition);
}

TNetworkElement TLatencyChain::freshNetwork()
{
    TNetworkElement element;
    element.Position = newNetworkPosition;
    return element;
}

void TLatencyChain::selectElement(int position)
{
    if (position >= 0 && position < count())
        FSelectedElement = position;
}

int TLatencyChain::insertNetwork()
{
    if (!canInsert())
        return -1;
    const int position = FSelectedElement == 0 ? 1 : FSelectedElement;
    FElements.insert(position, freshNetwork());
    FSelectedElement = position;
    emit changed(ccInserted, position);
    return position;
}

bool TLatencyChain::removeNetwork(int position)
{
    if (!canRemove() || !isNetwork(position))
        return false;
    FElements.removeAt(position);
    FSelectedElement = position;
    emit changed(ccRemoved, position);
    return true;
}

void TLatencyChain::reset()
{
    replaceNetworks({});
}

void TLatencyChain::replaceNetworks(const QList<TNetworkElement>& networks)
{
    const TNetworkElement nodeA = FElements.first();
    const TNetworkElement nodeB = FElements.last();
    FElements.clear();
    FElements << nodeA;
    for (const TNetworkElement& network : networks) {
        // Room is kept for node B.
        if (!network.isNode() && count() < maxLength - 1)
            FElements << network;
    }
    if (count() == 1)
        FElements << freshNetwork();
    FElements << nodeB;
    FSelectedElement = count() - 2;
    emit changed(ccNetworks, -1);
}

void TLatencyChain::setElement(int position, const TNetworkElement& element)
{
    if (position < 0 || position >= count() || element.isNode() == isNetwork(position))
        return;
    TNetworkElement& target = FElements[position];
    const TNetworkButtonKind kind = target.Kind;
    target = element;
    // Node A stays the client and node B the server.
    if (!isNetwork(position))
        target.Kind = kind;
    emit changed(ccValues, position);
}

void TLatencyChain::moveElement(int position, const QPoint& topLeft)
{
    if (!isNetwork(position) || FElements[position].Position == topLeft)
        return;
    FElements[position].Position = topLeft;
    emit changed(ccMoved, position);
}

void TLatencyChain::setLatencies(const std::vector<TElementLatency>& latencies)
{
    for (int i = 0; i < count() && size_t(i) < latencies.size(); ++i)
        FElements[i].Latency = latencies[size_t(i)];
}
