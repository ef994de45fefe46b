// The planner's menus and what their entries do to the requests, the
// options, the result table and the map. Every action is in a menu, and
// the request table's own buttons are the same actions.
#include "planner/PlannerWindow.h"

#include "planner/CopyableTable.h"
#include "planner/PlanCommands.h"
#include "planner/PlanMap.h"
#include "planner/RequestModel.h"
#include "planner/RequestTable.h"
#include "planner/ResultModels.h"

#include "controls/ErrorReport.h"
#include "controls/WaitCursorGuard.h"
#include "core/Errors.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
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

// A button beside the request table for an action of the menu. It has no
// accelerator of its own (the menu's entry has), and follows the action's
// state.
void addButton(QHBoxLayout* buttons, QAction* action, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(action->text().remove(QLatin1Char('&')),
                                      action->shortcut().toString(QKeySequence::NativeText)));
    button->setAccessibleName(action->text().remove(QLatin1Char('&')));
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    buttons->addWidget(button);
}

} // namespace

void TPlannerWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("PlannerFileMenu"));
    connect(menuAction(file, QStringLiteral("&New Plan"), "NewPlan", QKeySequence::New),
            &QAction::triggered, this, reporting(this, &TPlannerWindow::newPlan));
    connect(menuAction(file, QStringLiteral("&Open..."), "OpenPlan", QKeySequence::Open),
            &QAction::triggered, this, reporting(this, &TPlannerWindow::openPlan));
    FSaveAction = menuAction(file, QStringLiteral("&Save"), "SavePlan", QKeySequence::Save);
    connect(FSaveAction, &QAction::triggered, this, reporting(this, &TPlannerWindow::savePlan));
    connect(menuAction(file, QStringLiteral("Save &As..."), "SavePlanAs",
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, reporting(this, &TPlannerWindow::savePlanAs));
    file->addSeparator();
    FExportCsvAction = menuAction(file, QStringLiteral("Export &CSV..."), "ExportCsv",
                                  QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(FExportCsvAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::exportCsv));
    FExportJsonAction = menuAction(file, QStringLiteral("Export &JSON..."), "ExportJson",
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(FExportJsonAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::exportJson));
    file->addSeparator();
    connect(menuAction(file, QStringLiteral("&Close"), "ClosePlanner", QKeySequence::Close),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("PlannerEditMenu"));
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
    QAction* add = menuAction(edit, QStringLiteral("&Add Request"), "AddRequest",
                              QKeySequence(Qt::CTRL | Qt::Key_Return));
    connect(add, &QAction::triggered, this, reporting(this, &TPlannerWindow::addRequest));
    FRemoveAction = menuAction(edit, QStringLiteral("Re&move Requests"), "RemoveRequests",
                               QKeySequence(Qt::CTRL | Qt::Key_Delete));
    connect(FRemoveAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::removeRequests));
    FMoveUpAction = menuAction(edit, QStringLiteral("Move U&p"), "MoveUp",
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    connect(FMoveUpAction, &QAction::triggered, this, reporting([this] { moveRequests(-1); }));
    FMoveDownAction = menuAction(edit, QStringLiteral("Move Do&wn"), "MoveDown",
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
    connect(FMoveDownAction, &QAction::triggered, this, reporting([this] { moveRequests(1); }));
    QAction* paste = menuAction(edit, QStringLiteral("&Paste Requests"), "PasteRequests",
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    connect(paste, &QAction::triggered, this, reporting(this, &TPlannerWindow::pasteRequests));

    QMenu* result = menuBar()->addMenu(QStringLiteral("&Result"));
    result->setObjectName(QStringLiteral("PlannerResultMenu"));
    FCopyTableAction = menuAction(result, QStringLiteral("&Copy Table"), "CopyTable",
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(FCopyTableAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::copyResultTable));
    result->addSeparator();
    FCopyPictureAction = menuAction(result, QStringLiteral("Copy &Map Picture"), "CopyMapPicture",
                                    QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    connect(FCopyPictureAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::copyMapPicture));
    FSavePictureAction = menuAction(result, QStringLiteral("&Save Map Picture..."),
                                    "SaveMapPicture", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    connect(FSavePictureAction, &QAction::triggered, this,
            reporting(this, &TPlannerWindow::saveMapPicture));

    auto* buttons = findChild<QHBoxLayout*>(QStringLiteral("RequestButtons"));
    QWidget* owner = FRequestTable->parentWidget();
    addButton(buttons, add, QStringLiteral("Add"), owner);
    addButton(buttons, FRemoveAction, QStringLiteral("Remove"), owner);
    addButton(buttons, FMoveUpAction, QStringLiteral("Up"), owner);
    addButton(buttons, FMoveDownAction, QStringLiteral("Down"), owner);
    addButton(buttons, paste, QStringLiteral("Paste"), owner);
    buttons->addStretch(1);
}

void TPlannerWindow::connectEdits()
{
    connect(FParentsEdit, &QPlainTextEdit::textChanged, this,
            reporting(this, &TPlannerWindow::scheduleReplan));
    connect(FRequests, &TRequestModel::requestsChanged, this,
            reporting(this, &TPlannerWindow::scheduleReplan));
    connect(FUndoStack, &QUndoStack::cleanChanged, this,
            reporting(this, &TPlannerWindow::updateTitle));
    connect(FModeBox, &QComboBox::currentIndexChanged, this,
            reporting(this, &TPlannerWindow::optionEdited));
    connect(FOrderBox, &QComboBox::currentIndexChanged, this,
            reporting(this, &TPlannerWindow::optionEdited));
    connect(FGrowBox, &QSpinBox::valueChanged, this,
            reporting(this, &TPlannerWindow::optionEdited));
    connect(FNibbleBox, &QCheckBox::toggled, this, reporting(this, &TPlannerWindow::optionEdited));
    connect(FP2p30Box, &QCheckBox::toggled, this, reporting(this, &TPlannerWindow::optionEdited));
    connect(FP2p127Box, &QCheckBox::toggled, this, reporting(this, &TPlannerWindow::optionEdited));
    connect(FRequestTable, &TRequestTable::pasteRequested, this,
            reporting(this, &TPlannerWindow::pasteRequests));
    connect(FRequestTable, &TRequestTable::removeRequested, this,
            reporting(this, &TPlannerWindow::removeRequests));
    connect(FRequestTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            reporting([this](const QModelIndex& current) {
                updateActions();
                requestRowChosen(current.row());
            }));
    connect(FRequestTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            reporting(this, &TPlannerWindow::updateActions));
    connect(FPlacedTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            reporting([this](const QModelIndex& current) { placedRowChosen(current.row()); }));
    connect(FMap, &TPlanMap::blockChosen, this, reporting(this, &TPlannerWindow::mapBlockChosen));
}

void TPlannerWindow::updateActions()
{
    const bool planned = FResult != nullptr;
    FCopyTableAction->setEnabled(planned);
    FExportCsvAction->setEnabled(planned);
    FExportJsonAction->setEnabled(planned);
    FCopyPictureAction->setEnabled(planned);
    FSavePictureAction->setEnabled(planned);
    const std::vector<int> rows = FRequestTable->chosenRows();
    const bool contiguous = !rows.empty() && rows.back() - rows.front() + 1 == int(rows.size());
    FRemoveAction->setEnabled(!rows.empty());
    FMoveUpAction->setEnabled(contiguous && rows.front() > 0);
    FMoveDownAction->setEnabled(contiguous && rows.back() + 1 < FRequests->rowCount());
}

// --- requests ------------------------------------------------------------------

void TPlannerWindow::addRequest()
{
    const std::vector<int> rows = FRequestTable->chosenRows();
    const int row = rows.empty() ? FRequests->rowCount() : rows.back() + 1;
    FUndoStack->push(plancommands::insertRows(FRequests, row, {plantext::RequestText{}},
                                              QStringLiteral("Add Request")));
    FRequestTable->chooseRows(row, row);
    FRequestTable->setFocus();
    FRequestTable->edit(FRequests->index(row, TRequestModel::NameColumn));
}

void TPlannerWindow::removeRequests()
{
    const std::vector<int> rows = FRequestTable->chosenRows();
    if (rows.empty())
        return;
    // One undo step for the whole selection, taken from the bottom up so
    // that the rows above keep their places.
    auto* remove = new QUndoCommand(rows.size() == 1 ? QStringLiteral("Remove Request")
                                                     : QStringLiteral("Remove Requests"));
    for (size_t end = rows.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        plancommands::removeRows(FRequests, rows[begin], int(end - begin), remove);
        end = begin;
    }
    FUndoStack->push(remove);
    const int next = std::min(rows.front(), FRequests->rowCount() - 1);
    if (next >= 0)
        FRequestTable->chooseRows(next, next);
}

void TPlannerWindow::moveRequests(int delta)
{
    const std::vector<int> rows = FRequestTable->chosenRows();
    if (rows.empty() || rows.back() - rows.front() + 1 != int(rows.size()))
        return;
    const int first = rows.front();
    const int count = int(rows.size());
    if (first + delta < 0 || first + count + delta > FRequests->rowCount())
        return;
    FUndoStack->push(plancommands::moveRows(FRequests, first, count, delta));
    FRequestTable->chooseRows(first + delta, first + delta + count - 1);
}

void TPlannerWindow::pasteRequests()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    const QString text = mime ? mime->text() : QString();
    std::vector<plantext::RequestText> pasted = plantext::readRequestTable(text.toStdString());
    if (pasted.empty()) {
        QApplication::beep();
        return;
    }
    if (FRequests->rowCount() + pasted.size() > MaxPlanRequests) {
        throw EZentrixError(QStringLiteral("A plan holds at most %1 requests: the %2 rows on the "
                                           "clipboard do not fit beside the %3 in the table.")
                                .arg(MaxPlanRequests)
                                .arg(pasted.size())
                                .arg(FRequests->rowCount())
                                .toStdString());
    }
    WaitCursorGuard busy;
    const std::vector<int> rows = FRequestTable->chosenRows();
    const int row = rows.empty() ? FRequests->rowCount() : rows.back() + 1;
    const int count = int(pasted.size());
    FUndoStack->push(plancommands::insertRows(FRequests, row, std::move(pasted),
                                              count == 1 ? QStringLiteral("Paste Request")
                                                         : QStringLiteral("Paste Requests")));
    FRequestTable->chooseRows(row, row + count - 1);
}

// --- options ---------------------------------------------------------------------

void TPlannerWindow::optionEdited()
{
    PlanOptions options;
    options.mode = ReservationMode(FModeBox->currentIndex());
    options.growPercent = unsigned(FGrowBox->value());
    options.nibble = FNibbleBox->isChecked();
    options.p2p30 = FP2p30Box->isChecked();
    options.p2p127 = FP2p127Box->isChecked();
    options.order = FOrderBox->currentIndex() == 1 ? PlacementOrder::Given : PlacementOrder::Size;
    const PlanOptions before = FOptions;
    FUndoStack->push(
        plancommands::changeOptions([this](const PlanOptions& chosen) { applyOptions(chosen); },
                                    before, options, QStringLiteral("Change Options")));
}

void TPlannerWindow::applyOptions(const PlanOptions& options)
{
    FOptions = options;
    // The widgets show the options without telling anyone: this is no edit.
    const QSignalBlocker modeBlocker(FModeBox), growBlocker(FGrowBox), nibbleBlocker(FNibbleBox),
        p2p30Blocker(FP2p30Box), p2p127Blocker(FP2p127Box), orderBlocker(FOrderBox);
    FModeBox->setCurrentIndex(int(options.mode));
    FGrowBox->setValue(int(options.growPercent));
    FNibbleBox->setChecked(options.nibble);
    FP2p30Box->setChecked(options.p2p30);
    FP2p127Box->setChecked(options.p2p127);
    FOrderBox->setCurrentIndex(options.order == PlacementOrder::Given ? 1 : 0);
    scheduleReplan();
}

// --- the result ---------------------------------------------------------------------

void TPlannerWindow::copyResultTable()
{
    if (!FResult)
        return;
    WaitCursorGuard busy;
    QGuiApplication::clipboard()->setText(FPlaced->tabSeparated());
}

void TPlannerWindow::copyMapPicture()
{
    if (!FResult)
        return;
    QGuiApplication::clipboard()->setImage(FMap->image());
}
