// The path window's menus and what their entries do: copying the figures,
// the clamp lines and the plot, saving the plot, and the inputs remembered
// between runs.
#include "performance/PathWindow.h"

#include "performance/FigurePanel.h"
#include "performance/RatePlot.h"
#include "performance/RememberedPath.h"
#include "performance/StackEditor.h"

#include "controls/ErrorReport.h"
#include "controls/WaitCursorGuard.h"
#include "core/Errors.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

namespace {

QAction* menuAction(QMenu* menu, const QString& text, const char* objectName,
                    const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

} // namespace

void TPathWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("PathFileMenu"));
    FSavePictureAction = menuAction(file, QStringLiteral("&Save Plot Picture..."),
                                    "SavePlotPicture", QKeySequence::Save);
    connect(FSavePictureAction, &QAction::triggered, this,
            reporting(this, &TPathWindow::savePlotPicture));
    file->addSeparator();
    connect(menuAction(file, QStringLiteral("&Close"), "ClosePathWindow", QKeySequence::Close),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("PathEditMenu"));
    QAction* undo = FUndoStack->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = FUndoStack->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    for (QAction* action : {FStackEditor->addAction(), FStackEditor->removeAction(),
                            FStackEditor->moveUpAction(), FStackEditor->moveDownAction()})
        edit->addAction(action);
    edit->addSeparator();
    connect(menuAction(edit, QStringLiteral("Copy &Figures"), "CopyFigures",
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, reporting(this, &TPathWindow::copyFigures));
    connect(menuAction(edit, QStringLiteral("Copy &Clamp Lines"), "CopyClampLines"),
            &QAction::triggered, this, reporting(this, &TPathWindow::copyClampLines));
    FCopyPictureAction = menuAction(edit, QStringLiteral("Copy &Plot Picture"), "CopyPlotPicture",
                                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    connect(FCopyPictureAction, &QAction::triggered, this,
            reporting(this, &TPathWindow::copyPlotPicture));
}

void TPathWindow::connectEdits()
{
    connect(FUseChainBox, &QCheckBox::toggled, this,
            reporting(this, &TPathWindow::useChainToggled));
    for (QLineEdit* edit : {FBandwidthEdit, FRoundTripEdit, FWindowEdit, FLossEdit, FSizeEdit})
        connect(edit, &QLineEdit::textChanged, this,
                reporting(this, &TPathWindow::scheduleRecompute));
    connect(FMtuBox, &QSpinBox::valueChanged, this,
            reporting(this, &TPathWindow::scheduleRecompute));
    connect(FIpVersionBox, &QComboBox::currentIndexChanged, this,
            reporting(this, &TPathWindow::scheduleRecompute));
    for (QCheckBox* box : {FTimestampsBox, FScalingBox})
        connect(box, &QCheckBox::toggled, this, reporting(this, &TPathWindow::scheduleRecompute));
    connect(FStackEditor, &TStackEditor::stackChanged, this,
            reporting(this, &TPathWindow::scheduleRecompute));
    connect(FPlotTabs, &QTabWidget::currentChanged, this, reporting([this] {
                FCopyPictureAction->setEnabled(FResult && shownPlot());
                FSavePictureAction->setEnabled(FResult && shownPlot());
            }));
}

TRatePlot* TPathWindow::shownPlot() const
{
    return qobject_cast<TRatePlot*>(FPlotTabs->currentWidget());
}

void TPathWindow::copyFigures()
{
    if (!FResult)
        return;
    QGuiApplication::clipboard()->setText(FFigures->tabSeparated());
}

void TPathWindow::copyClampLines()
{
    if (!FResult)
        return;
    QGuiApplication::clipboard()->setText(FClampText->toPlainText());
}

void TPathWindow::copyPlotPicture()
{
    TRatePlot* plot = shownPlot();
    if (!FResult || !plot)
        return;
    QGuiApplication::clipboard()->setImage(plot->image());
}

void TPathWindow::savePlotPicture()
{
    TRatePlot* plot = shownPlot();
    if (!FResult || !plot)
        return;
    auto* dialog = new QFileDialog(this, QStringLiteral("Save Plot Picture"), QDir::homePath(),
                                   QStringLiteral("PNG pictures (*.png);;SVG pictures (*.svg)"));
    dialog->setObjectName(QStringLiteral("PathFileDialog"));
    // Qt's own dialog: the same on every desktop, and window-modal.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("png"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& fileName) {
        reportErrors([&] {
            TRatePlot* shown = shownPlot();
            if (!shown)
                return;
            WaitCursorGuard busy;
            if (!shown->save(fileName))
                throw EZentrixError(QStringLiteral("Could not save the plot as %1.")
                                        .arg(QDir::toNativeSeparators(fileName))
                                        .toStdString());
        });
    });
    dialog->open();
}

// --- the inputs between runs -------------------------------------------------------------

void TPathWindow::restoreRemembered()
{
    TRememberedPath remembered;
    try {
        remembered = TRememberedPath::load();
    } catch (const std::exception& error) {
        // Shown once the window is up; it starts with its defaults.
        const QString message = QString::fromStdString(error.what());
        QTimer::singleShot(0, this, [message] { errorreport::show(message); });
    }
    if (!remembered.Geometry.isEmpty())
        restoreGeometry(remembered.Geometry);
    FUseChainBox->setChecked(remembered.UseChain);
    FTypedBandwidth = remembered.Bandwidth;
    FTypedRoundTrip = remembered.RoundTrip;
    FBandwidthEdit->setText(remembered.Bandwidth);
    FRoundTripEdit->setText(remembered.RoundTrip);
    FMtuBox->setValue(remembered.Mtu);
    FIpVersionBox->setCurrentIndex(remembered.IpVersion == 6 ? 1 : 0);
    FTimestampsBox->setChecked(remembered.Timestamps);
    FWindowEdit->setText(remembered.Window);
    FScalingBox->setChecked(remembered.Scaling);
    FLossEdit->setText(remembered.Loss);
    FSizeEdit->setText(remembered.Size);
    FPlotTabs->setCurrentIndex(remembered.Plot);
    try {
        FStackEditor->setStack(readStack(remembered.Stack.toStdString()));
    } catch (const std::exception& error) {
        // A stack nobody could have built here: the window starts without one.
        const QString message =
            QStringLiteral("The remembered encapsulation stack could not be read (%1). The path "
                           "window starts without one.")
                .arg(QString::fromStdString(error.what()));
        QTimer::singleShot(0, this, [message] { errorreport::show(message); });
    }
}

void TPathWindow::remember()
{
    TRememberedPath remembered;
    remembered.UseChain = FUseChainBox->isChecked();
    remembered.Bandwidth = FUseChainBox->isChecked() ? FTypedBandwidth : FBandwidthEdit->text();
    remembered.RoundTrip = FUseChainBox->isChecked() ? FTypedRoundTrip : FRoundTripEdit->text();
    remembered.Mtu = FMtuBox->value();
    remembered.IpVersion = FIpVersionBox->currentData().toInt();
    remembered.Timestamps = FTimestampsBox->isChecked();
    remembered.Window = FWindowEdit->text();
    remembered.Scaling = FScalingBox->isChecked();
    remembered.Loss = FLossEdit->text();
    remembered.Size = FSizeEdit->text();
    remembered.Stack = QString::fromStdString(stackText(FStackEditor->stack()));
    remembered.Plot = FPlotTabs->currentIndex();
    remembered.Geometry = saveGeometry();
    remembered.save();
}
