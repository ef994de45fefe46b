// The Latency Statistics tab: each element's delay and share for one packet
// direction, as a table that copies to the clipboard.

#include "controls/RadioGroup.h"
#include "controls/SuperStringGrid.h"
#include "core/LatencyComputation.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "ui_LatencyCalc.h"

#include <QRadioButton>

namespace {

QString delayText(float seconds)
{
    return QString::fromStdString(formatDelay(seconds));
}

QString percentText(float share)
{
    return QString::fromStdString(formatShare(share));
}

} // namespace

void TLatencyCalc::setupStatisticsTab()
{
    TSuperStringGrid* grid = ui->LatencyStatsStringGrid;
    grid->setColCount(3);
    grid->setRowCount(18);
    grid->setFixedRows(1);
    grid->setFixedCols(0);
    const int widths[] = {145, 60, 40};
    for (int col = 0; col < 3; ++col)
        grid->setColWidths(col, widths[col]);
    grid->setOptions(TSuperStringGrid::goGridLines | TSuperStringGrid::goRangeSelect |
                     TSuperStringGrid::goColSizing);
    grid->setCells(0, 0, QStringLiteral("Network Element"));
    grid->setCells(1, 0, QStringLiteral("Delay (sec)"));
    grid->setCells(2, 0, QStringLiteral("Percent"));
    grid->setAccessibleName(QStringLiteral("Latency statistics"));

    // Choosing a direction refills the table from the figures already computed.
    makeRadioGroup(this, {ui->PacketDirAtoB, ui->PacketDirBtoA, ui->PacketDirRoundTrip},
                   TCheckedItemClick::Handled, [this](int) { LatencyStatsTabSheetEnter(); });

    ui->CopyLatencyStatsButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                         QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    connect(ui->CopyLatencyStatsButton, &QAbstractButton::clicked, this,
            &TLatencyCalc::CopyLatencyStatsButtonClick);
}

TPacketDirection TLatencyCalc::packetDirection() const
{
    if (ui->PacketDirBtoA->isChecked())
        return pdBtoA;
    if (ui->PacketDirRoundTrip->isChecked())
        return pdRoundTrip;
    return pdAtoB;
}

void TLatencyCalc::LatencyStatsTabSheetEnter()
{
    emit copyAvailable(ui->CopyLatencyStatsButton);
    ComputeLatencies();

    TSuperStringGrid* grid = ui->LatencyStatsStringGrid;
    const int n = FChain.size();
    grid->setRowCount(n + 2);
    const TPacketDirection direction = packetDirection();
    for (int i = 1; i <= n; ++i) {
        const TNetworkButton* element = FChain[i - 1];
        grid->setCells(0, i, element->Hint());
        grid->setCells(1, i, delayText(delayOf(element->latency(), direction)));
        grid->setCells(2, i, percentText(shareOf(element->latency(), direction)));
    }
    grid->setCells(1, n + 1, delayText(totalOf(FTotals, direction)));
    grid->setCells(0, n + 1, QStringLiteral("Totals:"));
    // The shares may not add up to exactly 100 after rounding; the total is.
    grid->setCells(2, n + 1, QStringLiteral("100.0%"));
}

void TLatencyCalc::LatencyStatsTabSheetExit()
{
    emit copyUnavailable();
}

void TLatencyCalc::CopyLatencyStatsButtonClick()
{
    ui->LatencyStatsStringGrid->CopyToClipboard();
}
