#pragma once

#include "controls/CalcView.h"
#include "core/LatencyComputation.h"

#include <QList>
#include <QPoint>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPainter;
class TNetworkButton;
class TTNetworkButtonForm;

namespace Ui {
class TLatencyCalc;
}

// The latency calculator: a chain of up to fourteen networks between a
// client node A and a server node B, edited on the Network Setup tab, with
// each element's delay and share per packet direction on the statistics and
// graphs tabs.
//
// The chain (FChain) always holds node A first, at least one network, and
// node B last; FSelectedElement is always one of its elements.
class TLatencyCalc : public TCalcView
{
    Q_OBJECT
public:
    explicit TLatencyCalc(QWidget* parent = nullptr);
    ~TLatencyCalc() override;

    QTabWidget* pageControl() const override;
    void pageEntered(QWidget* page) override;
    void pageLeaving(QWidget* page) override;

    // The layout a first run starts with: packet sizes 64 and 1024 bytes and
    // one network between the nodes. Follow it with updateNodeLabels().
    void applyFirstRunDefaults();
    // Node labels from their names and packet sizes, e.g. "Node A (64 bytes)".
    void updateNodeLabels();

    // The chain in packet order, node A first and node B last.
    const QList<TNetworkButton*>& chain() const { return FChain; }
    TNetworkButton* nodeA() const;
    TNetworkButton* nodeB() const;
    TNetworkButton* selectedElement() const { return FSelectedElement; }
    // Makes an element of the chain the selected one (the insert point and
    // the target of the properties dialog's OK).
    void selectElement(TNetworkButton* element);
    TTNetworkButtonForm* propertiesForm() const { return FPropertiesForm; }

    // Inserts a fresh network before the selected element (right after node A
    // when node A is selected) and selects it. Returns it, or nothing while
    // the chain is full.
    TNetworkButton* NewNetworkButtonClick();
    // Takes a network out of the chain and off the panel; a sole network stays.
    void NetworkButtonRemoveClick(TNetworkButton* element);
    // Back to node A, one fresh network and node B; the nodes keep their values.
    void ResetButtonClick();
    // Offers "Remove" in every network's menu and the panel menu while the
    // chain holds two or more networks, and withdraws it otherwise. Setting
    // a network kind offers it again, so whoever does that calls this after.
    void syncRemoveCommands();

    bool latencyStale() const { return FLatencyStale; }
    // Recomputes every delay, share and total if anything changed since the
    // last run. Raises "Integer overflow" for packet sizes beyond 32 bits.
    void ComputeLatencies();
    const TLatencyTotals& totals() const { return FTotals; }

    // The properties dialog's OK: its values go into the selected element.
    void ApplyProperties();

    static constexpr int maxChainLength = 16;

private:
    // Network Setup tab.
    void NetworkSetupTabSheetEnter();
    void NetworkSetupTabSheetExit();
    void NetworkButtonMouseDown(TNetworkButton* sender, Qt::MouseButton button);
    void NetworkButtonStartDrag(TNetworkButton* sender);
    void NetworkSetupPanelDragOver(TNetworkButton* dragged, const QPoint& panelPos);
    void NetworkButtonDragOver(TNetworkButton* target);
    void NetworkButtonEndDrag(TNetworkButton* sender);
    void networkButtonDragMoved(TNetworkButton* sender, const QPoint& panelPos);
    void NetworkButtonPropertiesClick(TNetworkButton* sender);
    void RemoveNetwork1Click();
    void RemoveSubmenuClick();
    void NetworkSetupPanelPaint(QPainter* canvas);
    void DrawChainLines(QPainter& canvas);
    void CopyNetworkSetupButtonClick();
    void connectElement(TNetworkButton* element);
    void showSetupPanelMenu(const QPoint& pos);

    // Latency Statistics tab.
    void setupStatisticsTab();
    void LatencyStatsTabSheetEnter();
    void LatencyStatsTabSheetExit();
    void CopyLatencyStatsButtonClick();
    TPacketDirection packetDirection() const;

    // Latency Graphs tab.
    void setupGraphsTab();
    void LatencyGraphsTabSheetEnter();
    void CopyLatencyGraphsButtonClick();

    std::unique_ptr<Ui::TLatencyCalc> ui;
    QList<TNetworkButton*> FChain;
    TNetworkButton* FSelectedElement = nullptr;
    bool FLatencyStale = true;
    TLatencyTotals FTotals;
    TTNetworkButtonForm* FPropertiesForm;
    QMenu* NetworkSetupPopupMenu;
    QAction* NewNetwork1;
    QMenu* RemoveNetwork1;
    bool FDragCursorShown = false;

    // The graphs' legend: entry i names the element behind stripe i.
    struct TLegendEntry
    {
        QLabel* Label = nullptr;
        QFrame* Swatch = nullptr;
    };
    std::array<TLegendEntry, maxChainLength> FLegend;
};
