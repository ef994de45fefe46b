#include "planner/PlannerWindow.h"

#include "planner/CopyableTable.h"
#include "planner/FactsPanel.h"
#include "planner/PlanMap.h"
#include "planner/RequestModel.h"
#include "planner/RequestTable.h"
#include "planner/ResultModels.h"

#include "controls/ErrorReport.h"
#include "controls/FieldMark.h"
#include "ipaddress/CidrText.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>
#include <QUndoStack>

namespace {

// Marks shown in the request table at most: past this many, the first are
// enough to find the mistake (a paste of the wrong column, say).
constexpr size_t MaxMarkedCells = 1000;

} // namespace

TPlannerWindow::TPlannerWindow(QWidget* parent)
    : QMainWindow(parent), FUndoStack(new QUndoStack(this)),
      FRequests(new TRequestModel(FUndoStack, this)), FPlaced(new TPlacedModel(this)),
      FUnplaced(new TUnplacedModel(this)), FFree(new TFreeModel(this))
{
    setObjectName(QStringLiteral("PlannerWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildLayout();
    buildMenus();
    connectEdits();
    restoreRemembered();
    replanNow();
    updateTitle();
}

TPlannerWindow::~TPlannerWindow()
{
    // The program may end with the planner open: what it holds is kept.
    reportErrors([this] { remember(); });
    // The controls go after this object has stopped being a planner window,
    // and some of them signal as they go: nothing of theirs may reach it.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TPlannerWindow::present()
{
    show();
    raise();
    activateWindow();
}

void TPlannerWindow::closeEvent(QCloseEvent* event)
{
    reportErrors([this] { remember(); });
    event->accept();
}

bool TPlannerWindow::isModified() const
{
    return !FUndoStack->isClean() || FParentsEdit->toPlainText() != FSavedParents;
}

PlanFile TPlannerWindow::planFile() const
{
    PlanFile plan;
    plan.parents = planreading::parentLines(FParentsEdit->toPlainText().toStdString());
    for (plantext::ParentText& parent : plan.parents)
        parent.line = 0;
    for (const plantext::RequestText& request : FRequests->requests())
        if (!planreading::blankRequest(request))
            plan.requests.push_back({request.name, request.size, 0});
    plan.options = FOptions;
    return plan;
}

// --- planning ------------------------------------------------------------------

void TPlannerWindow::scheduleReplan()
{
    // The keystrokes of one pass of the event loop (a paste, an undo of many
    // rows) make one plan.
    if (FReplanPending)
        return;
    FReplanPending = true;
    QTimer::singleShot(0, this, reporting([this] {
                           if (FReplanPending)
                               replan();
                       }));
}

void TPlannerWindow::replanNow()
{
    replan();
}

void TPlannerWindow::replan()
{
    FReplanPending = false;
    const std::string parents = FParentsEdit->toPlainText().toStdString();
    const std::vector<plantext::RequestText>& rows = FRequests->requests();
    planreading::readTexts(parents, rows, FOptions, FRead);

    // The facts of the first line of the field, when it is a network.
    const std::vector<plantext::ParentText> lines = planreading::parentLines(parents);
    const bool firstRead = !FRead.parents.empty() && !lines.empty() &&
                           FRead.parents.front().line == lines.front().line;
    FFacts->showBlock(firstRead ? std::optional<CidrBlock>(FRead.input.parents.front())
                                : std::nullopt);
    // The facts take the height they need (IPv4 has more of them); only a
    // narrow window scrolls them sideways.
    FFactsScroll->setMinimumHeight(FFacts->sizeHint().height() + 16);
    FFactsTitle->setText(firstRead ? QStringLiteral("Facts of %1")
                                         .arg(QString::fromStdString(
                                             cidrtext::networkText(FRead.input.parents.front())))
                                   : QStringLiteral("Facts of the first parent"));

    std::vector<planreading::PlanFault> faults = FRead.faults;
    FResult = nullptr;
    if (faults.empty()) {
        const PlanResult& result = FPlanner.plan(FRead.input);
        if (result.problem)
            faults.push_back(planreading::faultOf(*result.problem, FRead, rows));
        else
            FResult = &result;
    }
    showFaults(faults);

    const PlanInput* input = FResult ? &FRead.input : nullptr;
    FPlaced->showPlan(input, FResult);
    FUnplaced->showPlan(input, FResult);
    FFree->showPlan(input, FResult);
    FMap->setPlan(input, FResult);
    // The bars of up to three parents show whole; more scroll.
    FMapScroll->setMinimumHeight(std::min(FMap->sizeHint().height(), FMap->heightForParents(3)));
    showSummary();

    // The block of the request that was selected stays selected.
    int placed = -1;
    if (FResult && FSelectedRequestRow >= 0) {
        for (size_t i = 0; i < FResult->placed.size(); ++i)
            if (int(FRead.rowOf[FResult->placed[i].request]) == FSelectedRequestRow) {
                placed = int(i);
                break;
            }
    }
    selectPlaced(placed);
    updateActions();
    updateTitle();
}

void TPlannerWindow::showFaults(const std::vector<planreading::PlanFault>& faults)
{
    using Field = planreading::PlanFault::Field;
    QString parents, options, requests;
    QWidget* optionField = nullptr;
    std::vector<std::pair<QModelIndex, QString>> marks;
    size_t requestFaults = 0;
    for (const planreading::PlanFault& fault : faults) {
        const QString message = QString::fromStdString(fault.message);
        switch (fault.field) {
        case Field::Parents:
            if (parents.isEmpty())
                parents = message;
            break;
        case Field::Name:
        case Field::Size:
            if (requests.isEmpty())
                requests = message;
            ++requestFaults;
            if (marks.size() < MaxMarkedCells && int(fault.index) < FRequests->rowCount())
                marks.emplace_back(
                    FRequests->index(int(fault.index), fault.field == Field::Name
                                                           ? TRequestModel::NameColumn
                                                           : TRequestModel::SizeColumn),
                    message);
            break;
        case Field::Mode:
        case Field::Grow:
        case Field::Nibble:
        case Field::P2p30:
        case Field::P2p127:
            options = message;
            optionField = fault.field == Field::Mode     ? static_cast<QWidget*>(FModeBox)
                          : fault.field == Field::Grow   ? static_cast<QWidget*>(FGrowBox)
                          : fault.field == Field::Nibble ? static_cast<QWidget*>(FNibbleBox)
                          : fault.field == Field::P2p30  ? static_cast<QWidget*>(FP2p30Box)
                                                         : static_cast<QWidget*>(FP2p127Box);
            break;
        }
    }
    if (requestFaults > 1)
        requests += QStringLiteral(" (%1 rows to correct)").arg(requestFaults);

    // An empty field is a plan not begun, not a mistake: it gets a hint.
    const bool begun = !FParentsEdit->toPlainText().trimmed().isEmpty();
    fieldmark::setMarked(FParentsEdit, begun ? parents : QString());
    FParentsFault->setText(
        begun ? parents
              : QStringLiteral("Type one network per line, such as 10.20.0.0/22 or 2001:db8::/48"));
    FParentsFault->setForegroundRole(begun ? QPalette::WindowText : QPalette::PlaceholderText);
    for (QWidget* field : {static_cast<QWidget*>(FModeBox), static_cast<QWidget*>(FGrowBox),
                           static_cast<QWidget*>(FNibbleBox), static_cast<QWidget*>(FP2p30Box),
                           static_cast<QWidget*>(FP2p127Box)})
        fieldmark::setMarked(field, field == optionField ? options : QString());
    FOptionsFault->setText(options);
    FOptionsFault->setVisible(!options.isEmpty());
    FRequests->setMarks(std::move(marks));
    FRequestsFault->setText(requests);
    FRequestsFault->setVisible(!requests.isEmpty());
}

void TPlannerWindow::showSummary()
{
    if (!FResult) {
        FSummary->setText(QStringLiteral("No plan: correct the marked field."));
        if (FParentsEdit->toPlainText().trimmed().isEmpty())
            FSummary->setText(QStringLiteral("No plan yet: type a parent network."));
        return;
    }
    QString text = QStringLiteral("%1 placed").arg(FResult->placed.size());
    if (!FResult->unplaced.empty())
        text += QStringLiteral(", %1 did not fit (largest free block: %2)")
                    .arg(FResult->unplaced.size())
                    .arg(FResult->largestFree
                             ? QString::fromStdString(cidrtext::networkText(*FResult->largestFree))
                             : QStringLiteral("none"));
    text += QStringLiteral(", %1 free blocks").arg(FResult->free.size());
    FSummary->setText(text + QLatin1Char('.'));
}

// --- selection: the result table, the map and the request table ------------------

void TPlannerWindow::selectPlaced(int placed)
{
    FSyncingSelection = true;
    FMap->setSelected(placed);
    QItemSelectionModel* selection = FPlacedTable->selectionModel();
    if (placed < 0) {
        selection->clear();
    } else {
        const QModelIndex row = FPlaced->index(placed, 0);
        selection->setCurrentIndex(row,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        FPlacedTable->scrollTo(row);
    }
    FSyncingSelection = false;
}

void TPlannerWindow::placedRowChosen(int row)
{
    if (FSyncingSelection || !FResult)
        return;
    FMap->setSelected(row);
    FSelectedRequestRow = row >= 0 && size_t(row) < FResult->placed.size()
                              ? int(FRead.rowOf[FResult->placed[size_t(row)].request])
                              : -1;
}

void TPlannerWindow::mapBlockChosen(int placed)
{
    if (!FResult)
        return;
    FSelectedRequestRow =
        placed >= 0 ? int(FRead.rowOf[FResult->placed[size_t(placed)].request]) : -1;
    selectPlaced(placed);
}

void TPlannerWindow::requestRowChosen(int row)
{
    if (!FResult || FSyncingSelection)
        return;
    for (size_t i = 0; i < FResult->placed.size(); ++i)
        if (int(FRead.rowOf[FResult->placed[i].request]) == row) {
            FSelectedRequestRow = row;
            selectPlaced(int(i));
            return;
        }
}
