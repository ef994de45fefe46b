#pragma once

#include "path/LatencyComputation.h"

#include <QWidget>

#include <memory>

class QAbstractButton;
class TLatencyChain;

namespace Ui {
class TLatencyStatistics;
}

// The Latency Statistics tab: each element's delay and share for one packet
// direction, as a table that copies to the clipboard.
class TLatencyStatistics : public QWidget
{
    Q_OBJECT
public:
    explicit TLatencyStatistics(QWidget* parent = nullptr);
    ~TLatencyStatistics() override;

    QAbstractButton* copyButton() const;
    TPacketDirection packetDirection() const;
    // Fills the table for the chosen direction from the chain's figures.
    void showLatencies(const TLatencyChain& chain, const TLatencyTotals& totals);

signals:
    // A direction was chosen: the table is to be filled again.
    void directionChosen();

private:
    void CopyLatencyStatsButtonClick();

    std::unique_ptr<Ui::TLatencyStatistics> ui;
};
