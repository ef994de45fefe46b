// The planner's files: plan files opened and saved, the result exported,
// the map saved as a picture, and the plan remembered between runs. The
// questions and file dialogs are window-modal and answer through their
// signals, so nothing waits in a loop of its own while one is open.
#include "planner/PlannerWindow.h"

#include "planner/PlanExport.h"
#include "planner/PlanFiles.h"
#include "planner/PlanMap.h"
#include "planner/RememberedPlan.h"
#include "planner/RequestModel.h"

#include "controls/ErrorReport.h"
#include "controls/WaitCursorGuard.h"
#include "core/Errors.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QUndoStack>

namespace {

const QString planFilter = QStringLiteral("Zentrix plans (*.zplan);;All files (*)");

QString shownName(const QString& fileName)
{
    return fileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(fileName).fileName();
}

} // namespace

void TPlannerWindow::updateTitle()
{
    setWindowTitle(QStringLiteral("%1[*] - Address Planner - Zentrix").arg(shownName(FFileName)));
    setWindowModified(isModified());
}

void TPlannerWindow::whenChangesAreSafe(std::function<void()> next)
{
    if (!isModified()) {
        next();
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Question, QStringLiteral("Address Planner"),
                        QStringLiteral("%1 has changes that are not saved. Save them first?")
                            .arg(shownName(FFileName)),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box->setObjectName(QStringLiteral("SaveChangesBox"));
    box->setDefaultButton(QMessageBox::Save);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this, next](int answer) {
        reportErrors([&] {
            if (answer == QMessageBox::Save)
                saveThen(next);
            else if (answer == QMessageBox::Discard)
                next();
            // Anything else (Cancel, Esc, the box closed) keeps the plan as it is.
        });
    });
    box->open();
}

void TPlannerWindow::askFileName(bool saving, const QString& title, const QString& filter,
                                 const QString& suffix, std::function<void(const QString&)> then)
{
    auto* dialog = new QFileDialog(this, title, QFileInfo(FFileName).absolutePath(), filter);
    dialog->setObjectName(QStringLiteral("PlannerFileDialog"));
    // Qt's own dialog: the same on every desktop, and window-modal.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(suffix);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::fileSelected, this,
            [then](const QString& fileName) { reportErrors([&] { then(fileName); }); });
    dialog->open();
}

// --- plan files ---------------------------------------------------------------------

void TPlannerWindow::newPlan()
{
    whenChangesAreSafe([this] {
        showPlanFile(PlanFile{});
        markSaved(QString());
    });
}

void TPlannerWindow::openPlan()
{
    whenChangesAreSafe([this] {
        askFileName(false, QStringLiteral("Open Plan"), planFilter, QStringLiteral("zplan"),
                    [this](const QString& fileName) { openFile(fileName); });
    });
}

void TPlannerWindow::openFile(const QString& fileName)
{
    // A file that cannot be read leaves the plan in the window as it was.
    const PlanFile plan = planfiles::read(fileName);
    showPlanFile(plan);
    markSaved(fileName);
}

void TPlannerWindow::savePlan()
{
    saveThen([] {});
}

void TPlannerWindow::savePlanAs()
{
    askFileName(true, QStringLiteral("Save Plan As"), planFilter, QStringLiteral("zplan"),
                [this](const QString& fileName) { saveTo(fileName); });
}

void TPlannerWindow::saveThen(std::function<void()> next)
{
    if (FFileName.isEmpty()) {
        askFileName(true, QStringLiteral("Save Plan"), planFilter, QStringLiteral("zplan"),
                    [this, next](const QString& fileName) {
                        if (saveTo(fileName))
                            next();
                    });
        return;
    }
    if (saveTo(FFileName))
        next();
}

bool TPlannerWindow::saveTo(const QString& fileName)
{
    // A file that cannot be written is reported, and the plan stays as it
    // is, with its changes still marked as not saved.
    const bool saved = reportErrors([&] {
        WaitCursorGuard busy;
        planfiles::write(fileName, planFile());
    });
    if (saved)
        markSaved(fileName);
    return saved;
}

void TPlannerWindow::showPlanFile(const PlanFile& plan)
{
    QString parents;
    for (const plantext::ParentText& parent : plan.parents)
        parents += QString::fromStdString(parent.text) + QLatin1Char('\n');
    parents.chop(1);
    FParentsEdit->setPlainText(parents);
    std::vector<plantext::RequestText> requests = plan.requests;
    for (plantext::RequestText& request : requests)
        request.line = 0;
    FRequests->replaceAll(std::move(requests));
    applyOptions(plan.options);
    FSelectedRequestRow = -1;
    FUndoStack->clear();
    replanNow();
}

void TPlannerWindow::markSaved(const QString& fileName)
{
    FFileName = fileName;
    FSavedParents = FParentsEdit->toPlainText();
    FUndoStack->setClean();
    updateTitle();
}

// --- exports ------------------------------------------------------------------------

void TPlannerWindow::exportCsv()
{
    if (!FResult)
        return;
    askFileName(true, QStringLiteral("Export CSV"),
                QStringLiteral("CSV files (*.csv);;All files (*)"), QStringLiteral("csv"),
                [this](const QString& fileName) {
                    if (FResult)
                        planfiles::writeText(
                            fileName, planexport::document(FRead.input, *FResult, Format::Csv));
                });
}

void TPlannerWindow::exportJson()
{
    if (!FResult)
        return;
    askFileName(true, QStringLiteral("Export JSON"),
                QStringLiteral("JSON files (*.json);;All files (*)"), QStringLiteral("json"),
                [this](const QString& fileName) {
                    if (FResult)
                        planfiles::writeText(
                            fileName, planexport::document(FRead.input, *FResult, Format::Json));
                });
}

void TPlannerWindow::saveMapPicture()
{
    if (!FResult)
        return;
    askFileName(true, QStringLiteral("Save Map Picture"),
                QStringLiteral("PNG pictures (*.png);;SVG pictures (*.svg)"), QStringLiteral("png"),
                [this](const QString& fileName) {
                    WaitCursorGuard busy;
                    const bool svg = fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
                    const bool saved =
                        svg ? FMap->saveSvg(fileName) : FMap->image().save(fileName, "PNG");
                    if (!saved)
                        throw EZentrixError(QStringLiteral("Could not save the map as %1.")
                                                .arg(QDir::toNativeSeparators(fileName))
                                                .toStdString());
                });
}

// --- the plan between runs ---------------------------------------------------------------

void TPlannerWindow::restoreRemembered()
{
    TRememberedPlan remembered;
    try {
        remembered = TRememberedPlan::load();
    } catch (const std::exception& error) {
        // Shown once the window is up; the planner starts empty.
        const QString message = QString::fromStdString(error.what());
        QTimer::singleShot(0, this, [message] { errorreport::show(message); });
    }
    if (!remembered.geometry.isEmpty())
        restoreGeometry(remembered.geometry);
    if (!remembered.splitters.isEmpty())
        FMainSplitter->restoreState(remembered.splitters);
    if (remembered.plan)
        showPlanFile(*remembered.plan);
    FFileName = remembered.fileName;
    FSavedParents = FParentsEdit->toPlainText();
    if (remembered.modified)
        FUndoStack->resetClean(); // no state of the stack is the saved one
}

void TPlannerWindow::remember()
{
    TRememberedPlan remembered;
    remembered.plan = planFile();
    remembered.fileName = FFileName;
    remembered.modified = isModified();
    remembered.geometry = saveGeometry();
    remembered.splitters = FMainSplitter->saveState();
    remembered.save();
}
