#pragma once

#include "core/LatencyComputation.h"
#include "latency/NetworkElement.h"

#include <QList>
#include <QObject>

#include <vector>

// The latency calculator's chain: node A, one to fourteen networks in the
// order a packet passes them, and node B, each as a value; which of them is
// selected; and the rules by which networks come and go. The setup editor
// shows it and edits it, the statistics and graphs read it, the settings
// store it.
//
// The chain always holds both nodes and at least one network, and an
// element keeps its role: values that would turn a network into a node, or
// the other way round, are not taken.
class TLatencyChain : public QObject
{
    Q_OBJECT
public:
    // As many elements as the setup panel has cells and the graphs colours.
    static constexpr int maxLength = 16;

    // What a change did, with the position it concerns.
    enum TChange
    {
        ccInserted, // a network came in at the position
        ccRemoved,  // the network at the position left
        ccValues,   // the element at the position has new values or a new label
        ccMoved,    // the element at the position moved on the setup panel
        ccNetworks, // every network was replaced (position -1)
    };
    Q_ENUM(TChange)

    // Node A, one fresh network (selected) and node B.
    explicit TLatencyChain(QObject* parent = nullptr);

    int count() const { return int(FElements.size()); }
    int networkCount() const { return count() - 2; }
    const TNetworkElement& at(int position) const { return FElements.at(position); }
    const TNetworkElement& nodeA() const { return FElements.first(); }
    const TNetworkElement& nodeB() const { return FElements.last(); }
    bool isNetwork(int position) const { return position > 0 && position < count() - 1; }

    // The insert point and the target of the properties dialog's OK.
    int selectedElement() const { return FSelectedElement; }
    void selectElement(int position);

    // While the chain has room for another network.
    bool canInsert() const { return count() < maxLength; }
    // While the chain holds two or more networks: a sole network stays.
    bool canRemove() const { return networkCount() >= 2; }

    // A fresh network before the selected element (right after node A when
    // node A is selected), which then becomes the selected one. Returns its
    // position, or -1 while the chain is full.
    int insertNetwork();
    // Takes the network at the position out; the element that followed it
    // becomes the selected one. False for a node or the sole network.
    bool removeNetwork(int position);
    // Back to node A, one fresh network (selected) and node B; the nodes
    // keep their values.
    void reset();
    // The networks between the nodes become these (at most fourteen; none
    // gives one fresh network), and the last of them the selected element.
    void replaceNetworks(const QList<TNetworkElement>& networks);

    void setElement(int position, const TNetworkElement& element);
    // Nodes stay where they are.
    void moveElement(int position, const QPoint& topLeft);
    // The last computation's figures, one per element in chain order. They
    // change nothing that is shown until a view asks for them, so no change
    // is reported.
    void setLatencies(const std::vector<TElementLatency>& latencies);

    // A new network: the element's defaults, placed in the panel's second cell.
    static TNetworkElement freshNetwork();

signals:
    void changed(TLatencyChain::TChange change, int position);

private:
    QList<TNetworkElement> FElements;
    int FSelectedElement = 1;
};
