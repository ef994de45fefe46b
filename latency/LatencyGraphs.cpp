#include "latency/LatencyGraphs.h"

#include "controls/Align.h"
#include "controls/ErrorReport.h"
#include "controls/QorvelPanels.h"
#include "controls/RainbowBar.h"
#include "ui_LatencyGraphs.h"

#include <QLabel>

TLatencyGraphs::TLatencyGraphs(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TLatencyGraphs>())
{
    ui->setupUi(this);
    // Legend entry i goes with stripe i, so it takes the bars' colour i.
    const char* const names[maxChainLength] = {
        "Red",   "Yellow", "Lime", "Blue", "Purple", "Black",   "Maroon", "Green",
        "Olive", "Navy",   "Teal", "Gray", "Silver", "Fuchsia", "Aqua",   "White"};
    for (int i = 0; i < maxChainLength; ++i) {
        const QString name = QString::fromLatin1(names[i]);
        TLegendEntry& entry = FLegend[static_cast<size_t>(i)];
        entry.Label = ui->LatencyGraphsCanvasPanel->findChild<QLabel*>(name + "Label");
        entry.Swatch = ui->LatencyGraphsCanvasPanel->findChild<QFrame*>(name + "Panel");
        // Element names are the user's text, never markup.
        entry.Label->setTextFormat(Qt::PlainText);
        QPalette palette = entry.Swatch->palette();
        palette.setColor(QPalette::Window, TRainbowBar::stripeColors()[static_cast<size_t>(i)]);
        entry.Swatch->setPalette(palette);
        entry.Swatch->setAutoFillBackground(true);
    }

    ui->LatencyGraphsCanvasPanel->setBevelOuter(TQorvelCustomPanel::bvNone);
    for (TRainbowBar* bar : {ui->RainbowBarA, ui->RainbowBarB, ui->RainbowBarAB})
        bar->setNumStripes(maxChainLength);
    ui->RainbowBarA->setAccessibleName(ui->Label42->text());
    ui->RainbowBarB->setAccessibleName(ui->Label43->text());
    ui->RainbowBarAB->setAccessibleName(ui->Label44->text());

    ui->CopyLatencyGraphsButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                          QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    connect(ui->CopyLatencyGraphsButton, &QAbstractButton::clicked, this,
            reporting(this, &TLatencyGraphs::CopyLatencyGraphsButtonClick));
    alignInParent(ui->LatencyGraphsCanvasPanel, TAlign::Client);
}

TLatencyGraphs::~TLatencyGraphs() = default;

QAbstractButton* TLatencyGraphs::copyButton() const
{
    return ui->CopyLatencyGraphsButton;
}

QSize TLatencyGraphs::canvasSize() const
{
    return ui->LatencyGraphsCanvasPanel->size();
}

void TLatencyGraphs::showLatencies(const TLatencyChain& chain)
{
    const int count = std::min(chain.count(), maxChainLength);
    for (int i = 0; i < maxChainLength; ++i) {
        const TLegendEntry& entry = FLegend[static_cast<size_t>(i)];
        if (i < count) {
            // A fixed width: a long label is cut at the separator line.
            entry.Label->setText(QString::fromStdString(chain.at(i).Hint));
            entry.Label->setVisible(true);
            entry.Label->resize(105, entry.Label->height());
            entry.Swatch->setVisible(true);
        } else {
            entry.Label->setVisible(false);
            entry.Swatch->setVisible(false);
        }
    }

    for (TRainbowBar* bar : {ui->RainbowBarA, ui->RainbowBarB, ui->RainbowBarAB})
        bar->setNumStripes(count);
    for (int i = 0; i < count; ++i) {
        const TElementLatency& latency = chain.at(i).Latency;
        ui->RainbowBarA->Stripes(i)->setValue(latency.ShareAtoB);
        ui->RainbowBarB->Stripes(i)->setValue(latency.ShareBtoA);
        ui->RainbowBarAB->Stripes(i)->setValue(latency.ShareRoundTrip);
    }
}

void TLatencyGraphs::CopyLatencyGraphsButtonClick()
{
    // The picture shows the graphs, not the button that took it.
    ui->CopyLatencyGraphsButton->hide();
    TCanvasPanel* panel = ui->LatencyGraphsCanvasPanel;
    panel->CopyToClipboard(panel->rect());
    ui->CopyLatencyGraphsButton->show();
}
