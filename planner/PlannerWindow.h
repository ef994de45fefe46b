#pragma once

#include "ipaddress/AddressPlan.h"
#include "ipaddress/PlanFile.h"
#include "planner/PlanReading.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QSplitter;
class QTableView;
class QUndoStack;
class TCopyableTable;
class TFactsPanel;
class TFreeModel;
class TPlacedModel;
class TPlanMap;
class TRequestModel;
class TRequestTable;
class TUnplacedModel;

// The address planner: parent networks, requests and options in, and as
// they are typed, the plan out: placed blocks, what did not fit, the free
// space, and a map of it. Plans are saved and opened as plan files, the
// result is copied and exported as the command line gives it, and the plan
// in the window is remembered between runs.
class TPlannerWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit TPlannerWindow(QWidget* parent = nullptr);
    ~TPlannerWindow() override;

    // Shows the window and brings it to the front.
    void present();

    // The plan as a plan file holds it.
    PlanFile planFile() const;
    QString fileName() const { return FFileName; }
    bool isModified() const;

    // What the window shows now: no result while a field is at fault.
    const PlanInput& planInput() const { return FRead.input; }
    const PlanResult* planResult() const { return FResult; }

    // Makes the plan again now, rather than when the events of this
    // keystroke are done (a bench measures this).
    void replanNow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // PlannerLayout.cpp
    void buildLayout();
    QWidget* buildInputs();
    QWidget* buildRequests();
    QWidget* buildResults();
    QWidget* buildMap();
    // PlannerActions.cpp
    void buildMenus();
    void connectEdits();
    void addRequest();
    void removeRequests();
    void moveRequests(int delta);
    void pasteRequests();
    void copyResultTable();
    void copyMapPicture();
    void saveMapPicture();
    void optionEdited();
    void applyOptions(const PlanOptions& options);
    void updateActions();
    // PlannerFiles.cpp
    void newPlan();
    void openPlan();
    void savePlan();
    void savePlanAs();
    void exportCsv();
    void exportJson();
    void whenChangesAreSafe(std::function<void()> next);
    void saveThen(std::function<void()> next);
    void askFileName(bool saving, const QString& title, const QString& filter,
                     const QString& suffix, std::function<void(const QString&)> then);
    bool saveTo(const QString& fileName);
    void openFile(const QString& fileName);
    void showPlanFile(const PlanFile& plan);
    void markSaved(const QString& fileName);
    void updateTitle();
    void restoreRemembered();
    void remember();

    // PlannerWindow.cpp
    void scheduleReplan();
    void replan();
    void showFaults(const std::vector<planreading::PlanFault>& faults);
    void showSummary();
    void placedRowChosen(int row);
    void mapBlockChosen(int placed);
    void requestRowChosen(int row);
    void selectPlaced(int placed);

    QUndoStack* FUndoStack;
    TRequestModel* FRequests;
    TPlacedModel* FPlaced;
    TUnplacedModel* FUnplaced;
    TFreeModel* FFree;

    QPlainTextEdit* FParentsEdit = nullptr;
    QLabel* FParentsFault = nullptr;
    TFactsPanel* FFacts = nullptr;
    QLabel* FFactsTitle = nullptr;
    QWidget* FFactsScroll = nullptr;
    QComboBox* FModeBox = nullptr;
    QSpinBox* FGrowBox = nullptr;
    QCheckBox* FNibbleBox = nullptr;
    QCheckBox* FP2p30Box = nullptr;
    QCheckBox* FP2p127Box = nullptr;
    QComboBox* FOrderBox = nullptr;
    QLabel* FOptionsFault = nullptr;
    TRequestTable* FRequestTable = nullptr;
    QLabel* FRequestsFault = nullptr;
    TCopyableTable* FPlacedTable = nullptr;
    TCopyableTable* FUnplacedTable = nullptr;
    TCopyableTable* FFreeTable = nullptr;
    QLabel* FSummary = nullptr;
    TPlanMap* FMap = nullptr;
    QWidget* FMapScroll = nullptr;
    QSplitter* FMainSplitter = nullptr;
    QSplitter* FTablesSplitter = nullptr;

    QAction* FSaveAction = nullptr;
    QAction* FCopyTableAction = nullptr;
    QAction* FExportCsvAction = nullptr;
    QAction* FExportJsonAction = nullptr;
    QAction* FCopyPictureAction = nullptr;
    QAction* FSavePictureAction = nullptr;
    QAction* FRemoveAction = nullptr;
    QAction* FMoveUpAction = nullptr;
    QAction* FMoveDownAction = nullptr;

    PlanOptions FOptions;
    planreading::ReadPlan FRead;
    AddressPlanner FPlanner;
    const PlanResult* FResult = nullptr;
    bool FReplanPending = false;
    // The request row whose block is selected, kept across plans.
    int FSelectedRequestRow = -1;
    bool FSyncingSelection = false;

    QString FFileName;
    QString FSavedParents; // the parents field as last saved or opened
};
