#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

class QAbstractButton;
class QSvgRenderer;
class QTabWidget;
class TAboutCalc;
class TBitWorkbench;
class TCalcView;
class TChainValue;
class TLatencyCalc;
class TPathWindow;
class TPlannerWindow;
class TRadixorCalc;
class TSettingsStore;
class TSubnetCalc;
class TTopologyList;

namespace Ui {
class TMainForm;
}

// The main window: menu, logos, the choice of calculator, the tab-change
// handling the three calculators share, and the routing of Edit > Copy.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The about box: made when first asked for, then only shown and hidden.
    TAboutCalc* aboutBox();

    // The calculators. Each is built when it is first shown or asked for,
    // so start-up builds only the one it shows.
    TRadixorCalc* radixorCalc();
    TSubnetCalc* subnetCalc();
    TLatencyCalc* latencyCalc();
    // The address planner: built when first opened, never at start-up;
    // nullptr until then.
    TPlannerWindow* plannerWindow() const { return FPlanner.get(); }
    // The path-performance window: built when first opened; nullptr until then.
    TPathWindow* pathWindow() const { return FPathWindow.get(); }
    // The bit workbench, likewise.
    TBitWorkbench* bitWorkbench() const { return FBitWorkbench.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Calculator selection, as the menu items and the logo do it.
    void RadixorCalculator1Click();
    void VantrelCalculator1Click();
    void LatencyCalculator1Click();
    void CalcImageClick();
    // Opens the address planner, its own window beside this one.
    void AddressPlanner1Click();
    // Opens the path-performance window, which follows the latency chain.
    void PathPerformance1Click();
    void followChainInPathWindow();
    // Opens the bit workbench, its own window beside this one.
    void BitWorkbench1Click();

    // The remembered calculator and latency layout; true when there were any.
    bool LoadSettings();
    void SaveSettings();

    void Copy1Click();
    void Exit1Click();
    void About1Click();
    void GotoWebSite1Click();
    void QorvelGroupImageClick();

    void FormCreate();
    void FormDestroy();
    void selectCalculator(TCalcView* view, QAction* menuItem, std::unique_ptr<QSvgRenderer>& logo,
                          const char* logoName);
    void CalcPageControlChange(QTabWidget* sender);
    void CalcPageControlChanging(QTabWidget* sender, QWidget* oldPage);
    void pageControlCurrentChanged(QTabWidget* pageControl);
    void setEditMenuEnabled(bool enabled);
    TCalcView* viewOf(QTabWidget* pageControl) const;
    // A calculator, made in its place in the window the first time it is asked for.
    template <class TView> TView* calculator(TView*& view, const char* name);
    // Takes a newly made calculator in: its copy button and its tab control.
    void adopt(TCalcView* view);
    // The latency chain: the calculator's, or the one kept for it until it is built.
    const TChainValue& latencyChain() const;
    void setLatencyChain(const TChainValue& chain);
    void reportCreationError(const QString& message);

    std::unique_ptr<Ui::TMainForm> ui;
    std::unique_ptr<QSvgRenderer> FSubnetLogo;
    std::unique_ptr<QSvgRenderer> FRadixorLogo;
    std::unique_ptr<QSvgRenderer> FLatencyLogo;
    std::unique_ptr<QSvgRenderer> FQorvelGroupLogo;
    QPointer<QAbstractButton> FActiveCopyButton;
    std::unique_ptr<TAboutCalc> FAboutBox;
    std::unique_ptr<TPlannerWindow> FPlanner;
    std::unique_ptr<TPathWindow> FPathWindow;
    std::unique_ptr<TBitWorkbench> FBitWorkbench;
    std::unique_ptr<TSettingsStore> FSettings;
    TRadixorCalc* FRadixorCalc = nullptr;
    TSubnetCalc* FSubnetCalc = nullptr;
    TLatencyCalc* FLatencyCalc = nullptr;
    // The calculators made so far, and the one shown.
    std::vector<TCalcView*> FViews;
    TCalcView* FShownView = nullptr;
    // The stored latency layout and the topologies it brings, restored at
    // start while the latency calculator is not yet made.
    std::unique_ptr<TChainValue> FLatencyChain;
    std::unique_ptr<TTopologyList> FTopologies;
    bool FCalculatorRestored = false;
    // The page each tab control showed last: the page being left when it changes.
    QHash<QTabWidget*, QPointer<QWidget>> FCurrentPages;
    QHash<QTabWidget*, TCalcView*> FPageViews;
};
