#include "latency/LatencyCalc.h"

#include "controls/ClippedText.h"
#include "core/FloatConversions.h"
#include "core/LatencyLayout.h"
#include "latency/LatencyGraphs.h"
#include "latency/LatencyStatistics.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"
#include "latency/TopologyTable.h"
#include "ui_LatencyCalc.h"

#include <vector>

TLatencyCalc::TLatencyCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TLatencyCalc>())
{
    ui->setupUi(this);
    ui->NetworkSetupTabSheet->setChain(&FChain);
    connect(&FChain, &TLatencyChain::changed, this, &TLatencyCalc::chainChanged);
    connect(ui->LatencyStatsTabSheet, &TLatencyStatistics::directionChosen, this,
            &TLatencyCalc::LatencyStatsTabSheetEnter);
    // The graphs fill their page at the size the layout gives every page.
    ui->LatencyCalcPageControl->fitPages(ui->LatencyGraphsTabSheet->canvasSize());
    // A label too narrow for its text, such as a long name in the legend,
    // shows the whole text as a tip.
    showWholeTextsWhenClipped(this);
    ui->LatencyCalcPageControl->setCurrentWidget(ui->NetworkSetupTabSheet);
}

TLatencyCalc::~TLatencyCalc() = default;

QTabWidget* TLatencyCalc::pageControl() const
{
    return ui->LatencyCalcPageControl;
}

TNetworkSetupEditor* TLatencyCalc::setupEditor() const
{
    return ui->NetworkSetupTabSheet;
}

TTNetworkButtonForm* TLatencyCalc::propertiesForm() const
{
    return ui->NetworkSetupTabSheet->propertiesForm();
}

void TLatencyCalc::pageEntered(QWidget* page)
{
    if (page == ui->NetworkSetupTabSheet)
        NetworkSetupTabSheetEnter();
    else if (page == ui->LatencyStatsTabSheet)
        LatencyStatsTabSheetEnter();
    else if (page == ui->LatencyGraphsTabSheet)
        LatencyGraphsTabSheetEnter();
}

void TLatencyCalc::pageLeaving(QWidget* page)
{
    if (page == ui->NetworkSetupTabSheet)
        NetworkSetupTabSheetExit();
    else if (page == ui->LatencyStatsTabSheet || page == ui->LatencyGraphsTabSheet)
        LatencyStatsTabSheetExit();
}

void TLatencyCalc::chainChanged(TLatencyChain::TChange change)
{
    // Where an element sits on the panel is for the eye only.
    if (change != TLatencyChain::ccMoved)
        FLatencyStale = true;
}

void TLatencyCalc::applyFirstRunDefaults()
{
    TNetworkElement nodeA = FChain.nodeA();
    nodeA.PacketSize = 64;
    FChain.setElement(0, nodeA);
    TNetworkElement nodeB = FChain.nodeB();
    nodeB.PacketSize = 1024;
    FChain.setElement(FChain.count() - 1, nodeB);
}

void TLatencyCalc::updateNodeLabels()
{
    for (const int position : {0, FChain.count() - 1}) {
        TNetworkElement node = FChain.at(position);
        node.Hint = nodeLabel(node.NetworkName, node.PacketSize);
        FChain.setElement(position, node);
    }
}

TLatencyLayout TLatencyCalc::layout() const
{
    TLatencyLayout layout;
    layout.NodeA = TNodeRecord{FChain.nodeA().PacketSize, FChain.nodeA().ProcessTime};
    layout.NodeB = TNodeRecord{FChain.nodeB().PacketSize, FChain.nodeB().ProcessTime};
    for (int n = 1; n <= FChain.networkCount(); ++n) {
        const TNetworkElement& element = FChain.at(n);
        TNetworkRecord record;
        record.Bandwidth = element.Bandwidth;
        record.Kind = element.Kind;
        record.Left = element.Position.x();
        record.PropagationDelay = element.PropagationDelay;
        record.Top = element.Position.y();
        layout.Networks.push_back({record, element.NetworkName.toStdString()});
    }
    return layout;
}

void TLatencyCalc::restoreLayout(const TLatencyLayout& layout)
{
    const std::optional<TNodeRecord> records[] = {layout.NodeA, layout.NodeB};
    const int positions[] = {0, FChain.count() - 1};
    for (int i = 0; i < 2; ++i) {
        if (!records[i])
            continue;
        TNetworkElement node = FChain.at(positions[i]);
        node.PacketSize = records[i]->PacketSize;
        node.ProcessTime = records[i]->ProcessTime;
        node.Hint = nodeLabel(node.NetworkName, node.PacketSize);
        FChain.setElement(positions[i], node);
    }
    QList<TNetworkElement> networks;
    for (const TStoredNetwork& stored : layout.Networks)
        networks << restoredNetwork(stored);
    FChain.replaceNetworks(networks);
}

TNetworkElement TLatencyCalc::restoredNetwork(const TStoredNetwork& stored) const
{
    TNetworkElement element = TLatencyChain::freshNetwork();
    static_cast<TChainElement&>(element) = storedNetworkTiming(stored);
    const std::optional<TNetworkRecord>& record = stored.Record;
    if (record)
        element.Position.setX(record->Left);
    // Loading stopped at the name: the network keeps what was taken over
    // before it and is otherwise fresh.
    if (!stored.Name)
        return element;
    element.NetworkName = QString::fromStdString(*stored.Name);
    element.Hint = networkLabel(element.NetworkName, element.Bandwidth);
    if (record)
        element.Position.setY(record->Top);
    // The dialog reopens an element with the entries it would have chosen.
    // A missing name is no topology to offer.
    element.TopologyIndex = static_cast<int16_t>(
        element.NetworkName.isEmpty() ? -1 : propertiesForm()->addTopology(element.NetworkName));
    const QString bandwidthText =
        QString::fromStdString(conv::floatToStrGeneral(element.Bandwidth));
    element.BandwidthIndex =
        static_cast<int16_t>(indexOfText(bandwidthList(element.Kind), bandwidthText));
    return element;
}

void TLatencyCalc::ComputeLatencies()
{
    if (!FLatencyStale)
        return;
    FTotals = TLatencyTotals();
    std::vector<const TChainElement*> elements;
    for (int i = 0; i < FChain.count(); ++i)
        elements.push_back(&FChain.at(i));
    // An overflow leaves every element's last figures and the stale mark.
    const TChainLatencies figures = computeChainLatencies(elements);
    FChain.setLatencies(figures.Elements);
    FTotals = figures.Totals;
    FLatencyStale = false;
}

void TLatencyCalc::NetworkSetupTabSheetEnter()
{
    emit copyAvailable(ui->NetworkSetupTabSheet->copyButton());
}

void TLatencyCalc::NetworkSetupTabSheetExit()
{
    emit copyUnavailable();
}

void TLatencyCalc::LatencyStatsTabSheetEnter()
{
    emit copyAvailable(ui->LatencyStatsTabSheet->copyButton());
    ComputeLatencies();
    ui->LatencyStatsTabSheet->showLatencies(FChain, FTotals);
}

void TLatencyCalc::LatencyStatsTabSheetExit()
{
    emit copyUnavailable();
}

void TLatencyCalc::LatencyGraphsTabSheetEnter()
{
    emit copyAvailable(ui->LatencyGraphsTabSheet->copyButton());
    ComputeLatencies();
    ui->LatencyGraphsTabSheet->showLatencies(FChain);
}
