#pragma once

#include "latency/LatencyChain.h"

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QFrame;
class QLabel;

namespace Ui {
class TLatencyGraphs;
}

// The Latency Graphs tab: one striped bar per packet direction, a stripe per
// chain element sized by its share, and a legend naming each stripe colour.
class TLatencyGraphs : public QWidget
{
    Q_OBJECT
public:
    explicit TLatencyGraphs(QWidget* parent = nullptr);
    ~TLatencyGraphs() override;

    QAbstractButton* copyButton() const;
    // The size of the picture the tab shows, as the form lays it out.
    QSize canvasSize() const;
    // Legend and bars from the chain's labels and figures.
    void showLatencies(const TLatencyChain& chain);

private:
    void CopyLatencyGraphsButtonClick();

    std::unique_ptr<Ui::TLatencyGraphs> ui;

    // Entry i names the element behind stripe i.
    struct TLegendEntry
    {
        QLabel* Label = nullptr;
        QFrame* Swatch = nullptr;
    };
    std::array<TLegendEntry, maxChainLength> FLegend;
};
