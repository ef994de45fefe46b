#pragma once

#include "controls/CalcView.h"
#include "latency/LatencyChain.h"

#include <memory>

class TNetworkSetupEditor;
class TTNetworkButtonForm;
class TTopologyList;
class TTopologyListModel;

namespace Ui {
class TLatencyCalc;
}

// The latency calculator: a chain of up to fourteen networks between a
// client node A and a server node B, edited on the Network Setup tab, with
// each element's delay and share per packet direction on the statistics and
// graphs tabs. It holds the chain and whether its figures are stale; each
// tab is a view of its own.
class TLatencyCalc : public TCalcView
{
    Q_OBJECT
public:
    explicit TLatencyCalc(QWidget* parent = nullptr);
    ~TLatencyCalc() override;

    QTabWidget* pageControl() const override;
    void pageEntered(QWidget* page) override;
    void pageLeaving(QWidget* page) override;

    // The chain becomes `chain`, and the topology list offers every name of
    // `offered` (the list only grows): the layout restored from the settings.
    void restore(const TChainValue& chain, const TTopologyList& offered);
    // The topologies the properties dialog offers.
    const TTopologyListModel& topologies() const { return *FTopologies; }

    // The chain in packet order, node A first and node B last. Every change
    // to it that affects the figures marks them stale.
    TLatencyChain& chain() { return FChain; }
    const TLatencyChain& chain() const { return FChain; }

    TNetworkSetupEditor* setupEditor() const;
    TTNetworkButtonForm* propertiesForm() const;

    bool latencyStale() const { return FLatencyStale; }
    // Recomputes every delay, share and total if anything changed since the
    // last run. Raises "Integer overflow" for packet sizes beyond 32 bits.
    void ComputeLatencies();
    const TLatencyTotals& totals() const { return FTotals; }

private:
    void chainChanged(TLatencyChain::TChange change);
    void NetworkSetupTabSheetEnter();
    void NetworkSetupTabSheetExit();
    void LatencyStatsTabSheetEnter();
    void LatencyStatsTabSheetExit();
    void LatencyGraphsTabSheetEnter();

    std::unique_ptr<Ui::TLatencyCalc> ui;
    TLatencyChain FChain;
    TTopologyListModel* FTopologies;
    bool FLatencyStale = true;
    TLatencyTotals FTotals;
};
