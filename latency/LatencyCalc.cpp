#include "latency/LatencyCalc.h"

#include "controls/Align.h"
#include "controls/ClippedText.h"
#include "core/FloatConversions.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "ui_LatencyCalc.h"

#include <QMenu>
#include <QPainter>

#include <vector>

TLatencyCalc::TLatencyCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TLatencyCalc>())
{
    ui->setupUi(this);

    // One properties dialog serves every element; its OK is ours.
    FPropertiesForm = new TTNetworkButtonForm(this);
    connect(FPropertiesForm->OKButton(), &QPushButton::clicked, this,
            &TLatencyCalc::ApplyProperties);

    // The nodes come with the layout; their kind also hides their Remove entry.
    const struct
    {
        TNetworkButton* button;
        TNetworkButtonKind kind;
        const char* name;
    } nodes[] = {{ui->DesktopNetworkButton, nbDesktopCPU, "Node A"},
                 {ui->TowerNetworkButton, nbTowerCPU, "Node B"}};
    for (const auto& node : nodes) {
        node.button->setKind(node.kind);
        node.button->setNetworkName(QString::fromLatin1(node.name));
        connect(node.button, &TNetworkButton::OnMouseDown, this,
                &TLatencyCalc::NetworkButtonMouseDown);
        connect(node.button, &TNetworkButton::OnPropertiesClick, this,
                &TLatencyCalc::NetworkButtonPropertiesClick);
    }
    FChain.reserve(maxChainLength);
    FChain << ui->DesktopNetworkButton << ui->TowerNetworkButton;
    FSelectedElement = ui->TowerNetworkButton;
    updateNodeLabels();

    NetworkSetupPopupMenu = new QMenu(this);
    NetworkSetupPopupMenu->setObjectName(QStringLiteral("NetworkSetupPopupMenu"));
    NewNetwork1 = NetworkSetupPopupMenu->addAction(QStringLiteral("&Insert Network"));
    NewNetwork1->setObjectName(QStringLiteral("NewNetwork1"));
    RemoveNetwork1 = new QMenu(QStringLiteral("&Remove Network"), NetworkSetupPopupMenu);
    RemoveNetwork1->setObjectName(QStringLiteral("RemoveNetwork1"));
    NetworkSetupPopupMenu->addMenu(RemoveNetwork1);
    RemoveNetwork1->menuAction()->setVisible(false);
    ui->NetworkSetupPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->NetworkSetupPanel, &QWidget::customContextMenuRequested, this,
            &TLatencyCalc::showSetupPanelMenu);
    connect(NewNetwork1, &QAction::triggered, this, &TLatencyCalc::NewNetworkButtonClick);
    connect(RemoveNetwork1, &QMenu::aboutToShow, this, &TLatencyCalc::RemoveNetwork1Click);

    connect(ui->NetworkSetupPanel, &TCanvasPanel::painting, this,
            &TLatencyCalc::NetworkSetupPanelPaint);
    connect(ui->NewNetworkButton, &QPushButton::clicked, this,
            &TLatencyCalc::NewNetworkButtonClick);
    connect(ui->ResetButton, &QPushButton::clicked, this, &TLatencyCalc::ResetButtonClick);
    ui->CopyNetworkSetupButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                         QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    connect(ui->CopyNetworkSetupButton, &QAbstractButton::clicked, this,
            &TLatencyCalc::CopyNetworkSetupButtonClick);

    setupStatisticsTab();
    setupGraphsTab();
    // The graphs panel fills its page at the size the layout gives every page.
    ui->LatencyCalcPageControl->fitPages(ui->LatencyGraphsCanvasPanel->size());
    alignInParent(ui->NetworkSetupPanel, TAlign::Top);
    alignInParent(ui->LatencyStatsStringGrid, TAlign::Bottom);
    alignInParent(ui->LatencyGraphsCanvasPanel, TAlign::Client);
    showWholeTextsWhenClipped(this);

    ui->LatencyCalcPageControl->setCurrentWidget(ui->NetworkSetupTabSheet);
}

TLatencyCalc::~TLatencyCalc() = default;

QTabWidget* TLatencyCalc::pageControl() const
{
    return ui->LatencyCalcPageControl;
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

TNetworkButton* TLatencyCalc::nodeA() const
{
    return ui->DesktopNetworkButton;
}

TNetworkButton* TLatencyCalc::nodeB() const
{
    return ui->TowerNetworkButton;
}

void TLatencyCalc::selectElement(TNetworkButton* element)
{
    if (FChain.contains(element))
        FSelectedElement = element;
}

void TLatencyCalc::applyFirstRunDefaults()
{
    nodeA()->setPacketSize(64);
    nodeB()->setPacketSize(1024);
    NewNetworkButtonClick();
}

void TLatencyCalc::updateNodeLabels()
{
    for (TNetworkButton* node : {nodeA(), nodeB()})
        node->setHint(nodeLabel(node->NetworkName(), node->PacketSize()));
}

void TLatencyCalc::ComputeLatencies()
{
    if (!FLatencyStale)
        return;
    FTotals = TLatencyTotals();
    std::vector<const TChainElement*> elements;
    elements.reserve(static_cast<size_t>(FChain.size()));
    for (const TNetworkButton* element : FChain)
        elements.push_back(&element->element());
    // An overflow leaves every element's last figures and the stale mark.
    const TChainLatencies figures = computeChainLatencies(elements);
    for (int i = 0; i < FChain.size(); ++i)
        FChain[i]->setLatency(figures.Elements[static_cast<size_t>(i)]);
    FTotals = figures.Totals;
    FLatencyStale = false;
}

void TLatencyCalc::ApplyProperties()
{
    FPropertiesForm->commitTyping();
    FPropertiesForm->close();
    TNetworkButton* target = FSelectedElement;
    const std::optional<TNetworkButtonKind> kind = FPropertiesForm->CurrentKind();
    // Values laid out for a node never describe a network, and the other way
    // round: when the selection moved to the other sort of element while the
    // dialog was open, nothing is written.
    if (!target || !kind || isNodeKind(*kind) != isNodeKind(target->Kind()))
        return;

    if (isNodeKind(*kind)) {
        target->setPacketSize(FPropertiesForm->packetSize());
        target->setHint(nodeLabel(target->NetworkName(), target->PacketSize()));
        target->setProcessTime(FPropertiesForm->processTime());
    } else {
        // Read first: a bandwidth that is no number leaves the element as it was.
        const float bandwidth = FPropertiesForm->bandwidth();
        target->setBandwidth(bandwidth);
        target->setBandwidthIndex(static_cast<int16_t>(FPropertiesForm->bandwidthIndex()));
        target->setKind(*kind);
        syncRemoveCommands();
        target->setNetworkName(FPropertiesForm->topologyText());
        target->setTopologyIndex(static_cast<int16_t>(FPropertiesForm->topologyIndex()));
        target->setHint(networkLabel(target->NetworkName(), target->Bandwidth()));
        target->setPropagationDelay(FPropertiesForm->propagationDelay());
    }
    FLatencyStale = true;
    ui->NetworkSetupPanel->update();
}
