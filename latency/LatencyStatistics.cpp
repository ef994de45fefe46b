#include "latency/LatencyStatistics.h"

#include "controls/Align.h"
#include "controls/ErrorReport.h"
#include "controls/RadioGroup.h"
#include "controls/SuperStringGrid.h"
#include "latency/LatencyChain.h"
#include "path/StatisticsRows.h"
#include "ui_LatencyStatistics.h"

#include <QRadioButton>

TLatencyStatistics::TLatencyStatistics(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TLatencyStatistics>())
{
    ui->setupUi(this);
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
    alignInParent(grid, TAlign::Bottom);

    // Choosing a direction refills the table from the figures already computed.
    makeRadioGroup(this, {ui->PacketDirAtoB, ui->PacketDirBtoA, ui->PacketDirRoundTrip},
                   TCheckedItemClick::Handled, [this](int) { emit directionChosen(); });

    ui->CopyLatencyStatsButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                         QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    connect(ui->CopyLatencyStatsButton, &QAbstractButton::clicked, this,
            reporting(this, &TLatencyStatistics::CopyLatencyStatsButtonClick));
}

TLatencyStatistics::~TLatencyStatistics() = default;

QAbstractButton* TLatencyStatistics::copyButton() const
{
    return ui->CopyLatencyStatsButton;
}

TPacketDirection TLatencyStatistics::packetDirection() const
{
    if (ui->PacketDirBtoA->isChecked())
        return pdBtoA;
    if (ui->PacketDirRoundTrip->isChecked())
        return pdRoundTrip;
    return pdAtoB;
}

void TLatencyStatistics::showLatencies(const TLatencyChain& chain, const TLatencyTotals& totals)
{
    TSuperStringGrid* grid = ui->LatencyStatsStringGrid;
    const std::vector<TStatisticsRow> rows =
        statisticsRows(chain.value().elements(), totals, packetDirection());
    grid->setRowCount(int(rows.size()) + 1);
    for (int i = 0; i < int(rows.size()); ++i) {
        const TStatisticsRow& row = rows[size_t(i)];
        grid->setCells(0, i + 1, QString::fromStdString(row.Element));
        grid->setCells(1, i + 1, QString::fromStdString(row.Delay));
        grid->setCells(2, i + 1, QString::fromStdString(row.Percent));
    }
}

void TLatencyStatistics::CopyLatencyStatsButtonClick()
{
    ui->LatencyStatsStringGrid->CopyToClipboard();
}
