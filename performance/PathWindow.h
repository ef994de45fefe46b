#pragma once

#include "path/ChainFigures.h"
#include "path/PathPerformance.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class QUndoStack;
class TChainValue;
class TFigurePanel;
class TRatePlot;
class TStackEditor;

// Path performance: from the latency chain (or figures typed in) and an
// encapsulation stack to the MTU and MSS that survive, the clamp to
// configure, what the bottleneck carries, the window the path needs, the
// limits of window and loss, and how long a transfer takes, with a plot of
// the limits. It follows the latency calculator's chain as it changes, and
// remembers its inputs between runs.
class TPathWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit TPathWindow(QWidget* parent = nullptr);
    ~TPathWindow() override;

    // Shows the window and brings it to the front.
    void present();

    // The latency chain to follow: its bottleneck and round trip are the
    // path's while "Use the chain's figures" is on.
    void setChain(const TChainValue& chain);

    // What the window computed last; none while a field is at fault.
    const TPathInput& pathInput() const { return FInput; }
    const TPathResult* pathResult() const { return FResult ? &*FResult : nullptr; }
    // Computes now, rather than when the events of this keystroke are done.
    void recomputeNow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // PathLayout.cpp
    void buildLayout();
    QWidget* buildPath();
    QWidget* buildTcp();
    QWidget* buildStack();
    QWidget* buildResults();
    // PathActions.cpp
    void buildMenus();
    void connectEdits();
    void copyFigures();
    void copyClampLines();
    void copyPlotPicture();
    void savePlotPicture();
    TRatePlot* shownPlot() const;
    void restoreRemembered();
    void remember();

    // PathWindow.cpp
    void useChainToggled();
    void showChain();
    void scheduleRecompute();
    void recompute();
    void readInputs(std::optional<EPathInputError>& fault);
    void showFault(const EPathInputError* fault);
    void showResult();
    QWidget* fieldOf(TPathField field) const;

    QUndoStack* FUndoStack;
    TChainFigures FChain;
    bool FChainKnown = false;
    // What was typed into bandwidth and round trip while the chain's
    // figures are shown in their place.
    QString FTypedBandwidth;
    QString FTypedRoundTrip;

    QCheckBox* FUseChainBox = nullptr;
    QLabel* FBottleneckLabel = nullptr;
    QLineEdit* FBandwidthEdit = nullptr;
    QLineEdit* FRoundTripEdit = nullptr;
    QSpinBox* FMtuBox = nullptr;
    QComboBox* FIpVersionBox = nullptr;
    QCheckBox* FTimestampsBox = nullptr;
    QLineEdit* FWindowEdit = nullptr;
    QCheckBox* FScalingBox = nullptr;
    QLineEdit* FLossEdit = nullptr;
    QLineEdit* FSizeEdit = nullptr;
    QLabel* FFaultLine = nullptr;
    TStackEditor* FStackEditor = nullptr;
    TFigurePanel* FFigures = nullptr;
    QTabWidget* FPlotTabs = nullptr;
    TRatePlot* FLossPlot = nullptr;
    TRatePlot* FRoundTripPlot = nullptr;
    QPlainTextEdit* FClampText = nullptr;
    QAction* FCopyPictureAction = nullptr;
    QAction* FSavePictureAction = nullptr;

    TPathInput FInput;
    std::optional<TPathResult> FResult;
    bool FRecomputePending = false;
};
