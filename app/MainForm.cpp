#include "app/MainForm.h"

#include "app/About.h"
#include "app/SettingsStore.h"
#include "app/WebSite.h"
#include "controls/CalcView.h"
#include "controls/ErrorReport.h"
#include "latency/LatencyCalc.h"
#include "path/ChainValue.h"
#include "path/TopologyTable.h"
#include "performance/PathWindow.h"
#include "planner/PlannerWindow.h"
#include "radix/RadixorCalc.h"
#include "subnet/SubnetCalc.h"
#include "ui_MainForm.h"
#include "workbench/BitWorkbench.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLayout>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

bool isCtrlKey(const QEvent* event, int key)
{
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    return keyEvent->key() == key &&
           (keyEvent->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

std::unique_ptr<QSvgRenderer> loadPicture(const char* resourceName)
{
    auto picture =
        std::make_unique<QSvgRenderer>(QStringLiteral(":/bitmaps/%1.svg").arg(resourceName));
    // The name says which picture is shown, for assistive technology and tests.
    picture->setObjectName(QString::fromLatin1(resourceName));
    return picture;
}

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>()),
      FLatencyChain(std::make_unique<TChainValue>()), FTopologies(std::make_unique<TTopologyList>())
{
    ui->setupUi(this);
    // Single border with system menu and minimise only: the layout is fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* calculators = new QActionGroup(this);
    calculators->setExclusive(true);
    for (QAction* item : {ui->RadixorCalculator1, ui->VantrelCalculator1, ui->LatencyCalculator1})
        calculators->addAction(item);
    ui->GotoWebSite1->setText(QStringLiteral("Go to &") + website::address);
    setEditMenuEnabled(false);

    // Menu items and logos are where Qt calls the shell: their errors are shown there.
    connect(ui->exit1, &QAction::triggered, this, reporting(this, &TMainForm::Exit1Click));
    connect(ui->Copy1, &QAction::triggered, this, reporting(this, &TMainForm::Copy1Click));
    connect(ui->RadixorCalculator1, &QAction::triggered, this,
            reporting(this, &TMainForm::RadixorCalculator1Click));
    connect(ui->VantrelCalculator1, &QAction::triggered, this,
            reporting(this, &TMainForm::VantrelCalculator1Click));
    connect(ui->LatencyCalculator1, &QAction::triggered, this,
            reporting(this, &TMainForm::LatencyCalculator1Click));
    connect(ui->AddressPlanner1, &QAction::triggered, this,
            reporting(this, &TMainForm::AddressPlanner1Click));
    connect(ui->PathPerformance1, &QAction::triggered, this,
            reporting(this, &TMainForm::PathPerformance1Click));
    connect(ui->BitWorkbench1, &QAction::triggered, this,
            reporting(this, &TMainForm::BitWorkbench1Click));
    connect(ui->GotoWebSite1, &QAction::triggered, this,
            reporting(this, &TMainForm::GotoWebSite1Click));
    connect(ui->About1, &QAction::triggered, this, reporting(this, &TMainForm::About1Click));
    connect(ui->CalcImage, &TImage::clicked, this, &TMainForm::CalcImageClick);
    connect(ui->QorvelGroupImage, &TImage::clicked, this, &TMainForm::QorvelGroupImageClick);

    // Ctrl+C and Ctrl+X belong to the menu, also while an edit field has the focus.
    qApp->installEventFilter(this);

    try {
        FormCreate();
    } catch (const std::exception& error) {
        // The window is still shown; the report follows once the event loop runs.
        reportCreationError(QString::fromStdString(error.what()));
    }
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    FormDestroy();
}

TAboutCalc* TMainForm::aboutBox()
{
    // Built on first use rather than at start: nobody can tell the
    // difference, and start-up is quicker without it.
    if (!FAboutBox)
        FAboutBox = std::make_unique<TAboutCalc>();
    return FAboutBox.get();
}

TRadixorCalc* TMainForm::radixorCalc()
{
    return calculator(FRadixorCalc, "RadixorCalcPanel");
}

TSubnetCalc* TMainForm::subnetCalc()
{
    return calculator(FSubnetCalc, "VantrelCalcPanel");
}

TLatencyCalc* TMainForm::latencyCalc()
{
    const bool made = FLatencyCalc;
    TLatencyCalc* calc = calculator(FLatencyCalc, "LatencyCalcPanel");
    if (!made) {
        calc->restore(*FLatencyChain, *FTopologies);
        followChainInPathWindow();
    }
    return calc;
}

template <class TView> TView* TMainForm::calculator(TView*& view, const char* name)
{
    if (!view) {
        view = new TView(ui->CalculatorArea);
        view->setObjectName(QLatin1String(name));
        view->setGeometry(ui->CalculatorArea->rect());
        // Hidden until chosen, also when the window shows later.
        view->hide();
        adopt(view);
    }
    return view;
}

void TMainForm::adopt(TCalcView* view)
{
    FViews.push_back(view);
    connect(view, &TCalcView::copyAvailable, this, [this](QAbstractButton* button) {
        FActiveCopyButton = button;
        setEditMenuEnabled(true);
    });
    connect(view, &TCalcView::copyUnavailable, this, [this] { setEditMenuEnabled(false); });
    connect(view, &TCalcView::editMenuEnabled, this, [this] { setEditMenuEnabled(true); });
    QTabWidget* pageControl = view->pageControl();
    FPageViews.insert(pageControl, view);
    // A tab clicked takes the focus before its page shows, so a field being
    // typed in (the subnet bits above the tabs, an octet) is left and
    // commits what it holds first. Qt's tab bar takes no focus on a click.
    pageControl->tabBar()->setFocusPolicy(Qt::StrongFocus);
    FCurrentPages.insert(pageControl, pageControl->currentWidget());
    connect(pageControl, &QTabWidget::currentChanged, this,
            reporting([this, pageControl] { pageControlCurrentChanged(pageControl); }));
}

const TChainValue& TMainForm::latencyChain() const
{
    return FLatencyCalc ? FLatencyCalc->chain().value() : *FLatencyChain;
}

void TMainForm::setLatencyChain(const TChainValue& chain)
{
    *FLatencyChain = chain;
    if (FLatencyCalc)
        FLatencyCalc->restore(*FLatencyChain, *FTopologies);
}

void TMainForm::FormCreate()
{
    // The client area ends a margin below the calculators' place.
    const QRect calcRect = ui->CalculatorArea->geometry();
    ui->ClientArea->setFixedSize(292, calcRect.top() + calcRect.height() + 8);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The subnet calculator shows first, so only its logo and the maker's
    // are read now; the other two logos wait until their calculators are
    // first chosen.
    FSubnetLogo = loadPicture("SUBNETCALCLOGO");
    FQorvelGroupLogo = loadPicture("QORVELGROUPLOGO");
    ui->QorvelGroupImage->setPicture(FQorvelGroupLogo.get());
    setWindowTitle(QCoreApplication::applicationName());
    ui->CalcImage->setPicture(FSubnetLogo.get());

    // The remembered state. A stored error is shown, and the window goes
    // on with what was read: whatever happens, one calculator is shown and
    // the chain holds at least one network.
    bool stored = true;
    try {
        stored = LoadSettings();
    } catch (const std::exception& error) {
        reportCreationError(QString::fromStdString(error.what()));
    }
    // Selecting the subnet calculator properly also gives its displays their
    // first refresh.
    if (!FCalculatorRestored)
        VantrelCalculator1Click();
    if (!stored)
        setLatencyChain(firstRunChain());
}

void TMainForm::FormDestroy()
{
    try {
        SaveSettings();
    } catch (const std::exception& error) {
        // Values written before the refused one stay written.
        errorreport::show(QString::fromStdString(error.what()));
    }
}

void TMainForm::reportCreationError(const QString& message)
{
    QTimer::singleShot(0, this, [message] { errorreport::show(message); });
}

void TMainForm::RadixorCalculator1Click()
{
    selectCalculator(radixorCalc(), ui->RadixorCalculator1, FRadixorLogo, "RADIXORCALCLOGO");
}

void TMainForm::VantrelCalculator1Click()
{
    selectCalculator(subnetCalc(), ui->VantrelCalculator1, FSubnetLogo, "SUBNETCALCLOGO");
}

void TMainForm::LatencyCalculator1Click()
{
    selectCalculator(latencyCalc(), ui->LatencyCalculator1, FLatencyLogo, "LATENCYCALCLOGO");
}

void TMainForm::CalcImageClick()
{
    if (ui->VantrelCalculator1->isChecked())
        LatencyCalculator1Click();
    else if (ui->LatencyCalculator1->isChecked())
        RadixorCalculator1Click();
    else
        VantrelCalculator1Click();
}

void TMainForm::selectCalculator(TCalcView* view, QAction* menuItem,
                                 std::unique_ptr<QSvgRenderer>& logo, const char* logoName)
{
    menuItem->setChecked(true);
    // A logo is read when its calculator is first shown.
    if (!logo)
        logo = loadPicture(logoName);
    ui->CalcImage->setPicture(logo.get());
    for (TCalcView* other : FViews) {
        if (other == view)
            continue;
        // Qt hides a container before the next one shows and then finds no
        // control to hand the focus to, so the focus would stay in the hidden
        // one and take the keys typed next. The control is left first, so
        // its exit handler runs, and the window keeps no focused control.
        QWidget* focus = focusWidget();
        if (focus && (focus == other || other->isAncestorOf(focus)))
            focus->clearFocus();
        other->hide();
    }
    view->show();
    FShownView = view;
    setEditMenuEnabled(false);
    CalcPageControlChange(view->pageControl());
}

TCalcView* TMainForm::viewOf(QTabWidget* pageControl) const
{
    return FPageViews.value(pageControl);
}

void TMainForm::pageControlCurrentChanged(QTabWidget* pageControl)
{
    // Qt reports the change after the fact: the page remembered from before
    // is the one being left, and its leave effects run first.
    QPointer<QWidget> oldPage = FCurrentPages.value(pageControl);
    FCurrentPages.insert(pageControl, pageControl->currentWidget());
    if (oldPage)
        CalcPageControlChanging(pageControl, oldPage);
    CalcPageControlChange(pageControl);
}

void TMainForm::CalcPageControlChange(QTabWidget* sender)
{
    if (TCalcView* view = viewOf(sender)) {
        if (QWidget* page = sender->currentWidget())
            view->pageEntered(page);
    }
}

void TMainForm::CalcPageControlChanging(QTabWidget* sender, QWidget* oldPage)
{
    if (TCalcView* view = viewOf(sender))
        view->pageLeaving(oldPage);
}

void TMainForm::setEditMenuEnabled(bool enabled)
{
    // The shortcut follows the menu: a disabled Edit menu leaves Ctrl+C inert.
    ui->Edit1->menuAction()->setEnabled(enabled);
    ui->Copy1->setEnabled(enabled);
}

void TMainForm::AddressPlanner1Click()
{
    // A window of its own, not a child of this fixed-size one: it is sized
    // and placed by itself, and stays one instance however often it is asked for.
    if (!FPlanner)
        FPlanner = std::make_unique<TPlannerWindow>();
    FPlanner->present();
}

void TMainForm::PathPerformance1Click()
{
    // Like the planner, a window of its own; it takes the chain as it is now
    // (the stored one while the latency calculator is not yet made) and then
    // each change of the calculator's chain.
    if (!FPathWindow) {
        FPathWindow = std::make_unique<TPathWindow>();
        FPathWindow->setChain(latencyChain());
        followChainInPathWindow();
    }
    FPathWindow->present();
}

void TMainForm::followChainInPathWindow()
{
    // Once both exist, whichever came second; they live as long as this window.
    if (!FPathWindow || !FLatencyCalc)
        return;
    connect(&FLatencyCalc->chain(), &TLatencyChain::changed, FPathWindow.get(),
            reporting([this] { FPathWindow->setChain(latencyChain()); }));
}

void TMainForm::BitWorkbench1Click()
{
    // A window of its own, made when first asked for, as the planner is.
    if (!FBitWorkbench)
        FBitWorkbench = std::make_unique<TBitWorkbench>();
    FBitWorkbench->present();
}

void TMainForm::Copy1Click()
{
    if (!ui->Copy1->isEnabled() || !FActiveCopyButton)
        return;
    // The button's own handler tells its buttons apart by the sender, so the
    // button itself is clicked.
    FActiveCopyButton->click();
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::About1Click()
{
    TAboutCalc* box = aboutBox();
    box->show();
    box->raise();
    box->activateWindow();
}

void TMainForm::GotoWebSite1Click()
{
    website::open();
}

void TMainForm::QorvelGroupImageClick()
{
    website::open();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QMainWindow::eventFilter(watched, event);
    if (isCtrlKey(event, Qt::Key_C) || isCtrlKey(event, Qt::Key_X)) {
        // Refusing the override hands the key to the menu's shortcut; a key
        // press that still arrives (its menu item is disabled) is dropped so
        // that no edit field copies or cuts on its own.
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
