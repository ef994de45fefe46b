#pragma once

#include "path/ChainValue.h"

#include <QObject>

#include <vector>

// The latency calculator's chain in the window: the chain value of path/,
// whose rules it follows, and a report of each change. The setup editor
// shows it and edits it, the statistics and graphs read it, the settings
// store it.
class TLatencyChain : public QObject
{
    Q_OBJECT
public:
    // What a change did, with the position it concerns.
    enum TChange
    {
        ccInserted, // a network came in at the position
        ccRemoved,  // the network at the position left
        ccValues,   // the element at the position has new values or a new label
        ccMoved,    // the element at the position moved on the setup panel
        ccNetworks, // the whole chain was replaced (position -1)
    };
    Q_ENUM(TChange)

    // Node A, one fresh network (selected) and node B.
    explicit TLatencyChain(QObject* parent = nullptr);

    const TChainValue& value() const { return FValue; }
    int count() const { return FValue.count(); }
    int networkCount() const { return FValue.networkCount(); }
    const TNetworkElement& at(int position) const { return FValue.at(position); }
    const TNetworkElement& nodeA() const { return FValue.nodeA(); }
    const TNetworkElement& nodeB() const { return FValue.nodeB(); }
    bool isNetwork(int position) const { return FValue.isNetwork(position); }
    int selectedElement() const { return FValue.selectedElement(); }
    bool canInsert() const { return FValue.canInsert(); }
    bool canRemove() const { return FValue.canRemove(); }

    // The changes, as TChainValue makes them, each reported when it happened.
    void selectElement(int position) { FValue.selectElement(position); }
    int insertNetwork();
    bool removeNetwork(int position);
    void reset();
    void replaceNetworks(const std::vector<TNetworkElement>& networks);
    void setElement(int position, const TNetworkElement& element);
    void moveElement(int position, TPanelPoint topLeft);
    // The whole chain becomes `value`.
    void assign(const TChainValue& value);
    // The last computation's figures, one per element in chain order. They
    // change nothing that is shown until a view asks for them, so no change
    // is reported.
    void setLatencies(const std::vector<TElementLatency>& latencies)
    {
        FValue.setLatencies(latencies);
    }

signals:
    void changed(TLatencyChain::TChange change, int position);

private:
    TChainValue FValue;
};
