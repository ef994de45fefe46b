#include "performance/PathWindow.h"

#include "performance/FigurePanel.h"
#include "performance/RatePlot.h"
#include "performance/StackEditor.h"

#include "controls/ErrorReport.h"
#include "controls/FieldMark.h"
#include "path/MssClamp.h"
#include "path/PathRecords.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>

TPathWindow::TPathWindow(QWidget* parent) : QMainWindow(parent), FUndoStack(new QUndoStack(this))
{
    setObjectName(QStringLiteral("PathWindow"));
    setWindowTitle(QStringLiteral("Path Performance - Zentrix"));
    buildLayout();
    buildMenus();
    restoreRemembered();
    connectEdits();
    useChainToggled();
    recomputeNow();
}

TPathWindow::~TPathWindow()
{
    // The program may end with the window open: what it holds is kept.
    reportErrors([this] { remember(); });
    // The controls go after this object has stopped being a path window,
    // and some of them signal as they go: nothing of theirs may reach it.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TPathWindow::present()
{
    show();
    raise();
    activateWindow();
}

void TPathWindow::closeEvent(QCloseEvent* event)
{
    reportErrors([this] { remember(); });
    event->accept();
}

// --- the chain -----------------------------------------------------------------------

void TPathWindow::setChain(const TChainValue& chain)
{
    FChain = chainFigures(chain);
    FChainKnown = true;
    showChain();
    scheduleRecompute();
}

void TPathWindow::useChainToggled()
{
    const bool useChain = FUseChainBox->isChecked();
    // Typed figures wait while the chain's are shown, and come back after.
    if (useChain && !FBandwidthEdit->isReadOnly()) {
        FTypedBandwidth = FBandwidthEdit->text();
        FTypedRoundTrip = FRoundTripEdit->text();
    }
    for (QLineEdit* edit : {FBandwidthEdit, FRoundTripEdit})
        edit->setReadOnly(useChain);
    if (!useChain) {
        const QSignalBlocker bandwidth(FBandwidthEdit), roundTrip(FRoundTripEdit);
        FBandwidthEdit->setText(FTypedBandwidth);
        FRoundTripEdit->setText(FTypedRoundTrip);
    }
    showChain();
    scheduleRecompute();
}

void TPathWindow::showChain()
{
    QString bottleneck;
    if (!FChainKnown)
        bottleneck = QStringLiteral("Open the latency calculator to follow its chain.");
    else if (FChain.Bottleneck < 0)
        bottleneck = QStringLiteral("No network of the chain has a bandwidth.");
    else
        bottleneck =
            QStringLiteral("Bottleneck: %1").arg(QString::fromStdString(FChain.BottleneckLabel));
    if (FChainKnown && !FChain.RoundTripKnown)
        bottleneck += QStringLiteral(" Round trip: %1").arg(QString::fromStdString(FChain.Problem));
    FBottleneckLabel->setText(bottleneck);
    FBottleneckLabel->setEnabled(FUseChainBox->isChecked());
    if (!FUseChainBox->isChecked())
        return;
    const QSignalBlocker bandwidth(FBandwidthEdit), roundTrip(FRoundTripEdit);
    FBandwidthEdit->setText(FChainKnown ? QString::fromStdString(FChain.BandwidthText) : QString());
    FRoundTripEdit->setText(FChainKnown ? QString::fromStdString(FChain.RoundTripText) : QString());
}

// --- computing -------------------------------------------------------------------------

void TPathWindow::scheduleRecompute()
{
    // The changes of one pass of the event loop (a chain replaced, an undo)
    // make one calculation.
    if (FRecomputePending)
        return;
    FRecomputePending = true;
    QTimer::singleShot(0, this, reporting([this] {
                           if (FRecomputePending)
                               recompute();
                       }));
}

void TPathWindow::recomputeNow()
{
    recompute();
}

void TPathWindow::readInputs(std::optional<EPathInputError>& fault)
{
    // Each field is read on its own, so that the first one at fault is named.
    const auto read = [&fault](auto reader) {
        if (fault)
            return;
        try {
            reader();
        } catch (const EPathInputError& error) {
            fault = error;
        }
    };
    TPathInput input;
    if (FUseChainBox->isChecked()) {
        input.BandwidthMbps = FChain.BandwidthMbps;
        input.RoundTripMs = FChain.RoundTripKnown ? FChain.RoundTripMs : 0;
    } else {
        read([&] { input.BandwidthMbps = readBandwidth(FBandwidthEdit->text().toStdString()); });
        read([&] { input.RoundTripMs = readRoundTrip(FRoundTripEdit->text().toStdString()); });
    }
    input.LinkMtu = FMtuBox->value();
    input.IpVersion = FIpVersionBox->currentData().toInt();
    input.Timestamps = FTimestampsBox->isChecked();
    input.Stack = FStackEditor->stack();
    read([&] { input.WindowBytes = readWindow(FWindowEdit->text().toStdString()); });
    input.WindowScaling = FScalingBox->isChecked();
    read([&] { input.LossRate = readLossRate(FLossEdit->text().toStdString()); });
    read([&] { input.TransferBytes = readTransferSize(FSizeEdit->text().toStdString()); });
    FInput = input;
}

void TPathWindow::recompute()
{
    FRecomputePending = false;
    std::optional<EPathInputError> fault;
    readInputs(fault);
    FResult.reset();
    if (!fault) {
        try {
            FResult = computePath(FInput);
        } catch (const EPathInputError& error) {
            fault = error;
        }
    }
    showFault(fault ? &*fault : nullptr);
    showResult();
}

QWidget* TPathWindow::fieldOf(TPathField field) const
{
    switch (field) {
    case TPathField::Bandwidth:
        return FBandwidthEdit;
    case TPathField::RoundTrip:
        return FRoundTripEdit;
    case TPathField::Mtu:
        return FMtuBox;
    case TPathField::Stack:
        return FStackEditor->findChild<QWidget*>(QStringLiteral("StackList"));
    case TPathField::Window:
        return FWindowEdit;
    case TPathField::Loss:
        return FLossEdit;
    case TPathField::Size:
        return FSizeEdit;
    }
    return nullptr;
}

void TPathWindow::showFault(const EPathInputError* fault)
{
    const QString message = fault ? QString::fromStdString(fault->what()) : QString();
    QWidget* marked = fault ? fieldOf(fault->field()) : nullptr;
    for (TPathField field :
         {TPathField::Bandwidth, TPathField::RoundTrip, TPathField::Mtu, TPathField::Stack,
          TPathField::Window, TPathField::Loss, TPathField::Size})
        fieldmark::setMarked(fieldOf(field), fieldOf(field) == marked ? message : QString());
    FFaultLine->setText(message);
    FFaultLine->setVisible(!message.isEmpty());
}

void TPathWindow::showResult()
{
    FStackEditor->showFit(FResult ? &FResult->Stack.Layers : nullptr);
    if (!FResult) {
        const QString why = QStringLiteral("No figures: correct the marked field.");
        FFigures->showNothing(QStringLiteral("-"));
        FLossPlot->clear(why);
        FRoundTripPlot->clear(why);
        FClampText->setPlainText(why);
        FCopyPictureAction->setEnabled(false);
        FSavePictureAction->setEnabled(false);
        return;
    }
    FFigures->showRecords(pathRecords(*FResult));
    FLossPlot->setPath(FInput, *FResult);
    FRoundTripPlot->setPath(FInput, *FResult);
    const int mss = int(FInput.IpVersion == 6 ? FResult->MssIpv6.Value : FResult->MssIpv4.Value);
    const QString clamp = QString::fromStdString(mssClampText(mss, FInput.IpVersion));
    if (FClampText->toPlainText() != clamp)
        FClampText->setPlainText(clamp);
    FCopyPictureAction->setEnabled(shownPlot() != nullptr);
    FSavePictureAction->setEnabled(shownPlot() != nullptr);
}
