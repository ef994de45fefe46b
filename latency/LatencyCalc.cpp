#include "latency/LatencyCalc.h"

#include "controls/ClippedText.h"
#include "latency/LatencyGraphs.h"
#include "latency/LatencyStatistics.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"
#include "latency/TopologyListModel.h"
#include "ui_LatencyCalc.h"

#include <vector>

TLatencyCalc::TLatencyCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TLatencyCalc>())
{
    ui->setupUi(this);
    // Made after the pages, so that it outlives the dialog's box showing it.
    FTopologies = new TTopologyListModel(this);
    ui->NetworkSetupTabSheet->setChain(&FChain);
    propertiesForm()->SetTopologies(FTopologies);
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

void TLatencyCalc::restore(const TChainValue& chain, const TTopologyList& offered)
{
    FChain.assign(chain);
    FTopologies->grow(offered);
}

void TLatencyCalc::ComputeLatencies()
{
    if (!FLatencyStale)
        return;
    FTotals = TLatencyTotals();
    std::vector<const TChainElement*> elements;
    for (const TNetworkElement& element : FChain.value().elements())
        elements.push_back(&element);
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

// The statistics and the graphs offer Edit > Copy at once, but make it
// theirs only once the figures are computed: after an overflow, Edit > Copy
// copies what it copied before.
void TLatencyCalc::LatencyStatsTabSheetEnter()
{
    emit editMenuEnabled();
    ComputeLatencies();
    ui->LatencyStatsTabSheet->showLatencies(FChain, FTotals);
    emit copyAvailable(ui->LatencyStatsTabSheet->copyButton());
}

void TLatencyCalc::LatencyStatsTabSheetExit()
{
    emit copyUnavailable();
}

void TLatencyCalc::LatencyGraphsTabSheetEnter()
{
    emit editMenuEnabled();
    ComputeLatencies();
    ui->LatencyGraphsTabSheet->showLatencies(FChain);
    emit copyAvailable(ui->LatencyGraphsTabSheet->copyButton());
}
