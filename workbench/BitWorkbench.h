#pragma once

#include "bits/WordOperations.h"
#include "bits/WordViews.h"
#include "workbench/WordHistory.h"

#include <QMainWindow>

#include <optional>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QUndoStack;
class TBitGrid;
class THistoryView;
class TViewPanel;
class TWildcardPage;

// The bit workbench: a word of 8 to 128 bits typed in any form the rules
// read (bits/), shown in every view at once and as a grid of bits to click,
// changed by the operations, with a history of its values; and a tab for
// ACL wildcard masks. A window of its own beside the calculators, built when
// first opened and remembered in a file of its own.
class TBitWorkbench : public QMainWindow
{
    Q_OBJECT
public:
    explicit TBitWorkbench(QWidget* parent = nullptr);
    ~TBitWorkbench() override;

    // Shows the window and brings it to the front.
    void present();

    const BitWord& word() const { return FState.word; }
    std::optional<BitRange> field() const { return FField; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // WorkbenchLayout.cpp
    void buildLayout();
    QWidget* buildEntry();
    QWidget* buildWordPage();
    QWidget* buildOperations();
    QWidget* buildViews();
    QWidget* buildHistory();
    // WorkbenchActions.cpp
    void buildMenus();
    void buildOperationMenus(QMenu* operations);
    void operate(OperationKind kind);
    BitOperation operationFor(OperationKind kind) const;
    void copyChosen();
    void copyAs(CopyForm form);
    void pageChanged();
    // BitWorkbench.cpp
    void valueEdited();
    void widthChosen(unsigned width);
    void signedToggled(bool isSigned);
    void carryToggled(bool carry);
    void bitFlipped(unsigned bit);
    void fieldChosen(std::optional<BitRange> field);
    void floatViewToggled(bool shown);
    bool rereadFaultyEntry(const WordSpec& spec);
    void change(const WorkbenchState& after, const QString& what, bool typed = false,
                bool keepEntry = false);
    void showState(const WorkbenchState& state);
    void refresh();
    void showMessage(const QString& message);
    void describeField();
    WordSpec entrySpec() const;
    CopyForm copyForm() const;
    void restoreRemembered();
    void remember();

    WorkbenchState FState;
    std::optional<BitRange> FField;
    // Why the entry's text is not read, while it is not.
    QString FEntryFault;
    // What the last refused operation or choice said, until the next change.
    QString FRefusal;
    // Set while a change goes into the history that the entry's text
    // already says (a typed value), or that must not overwrite a text still
    // being typed (a width or signedness chosen while the text is refused).
    bool FKeepEntry = false;

    QUndoStack* FUndoStack;
    TWordHistory* FHistory;

    QLineEdit* FValueEdit = nullptr;
    QComboBox* FWidthBox = nullptr;
    QCheckBox* FSignedBox = nullptr;
    QCheckBox* FCarryBox = nullptr;
    QComboBox* FCopyFormBox = nullptr;
    QLabel* FMessage = nullptr;
    QTabWidget* FPages = nullptr;
    TBitGrid* FGrid = nullptr;
    QLabel* FFieldLine = nullptr;
    QLineEdit* FOperandEdit = nullptr;
    QSpinBox* FCountBox = nullptr;
    QWidget* FOperationButtons = nullptr;
    TViewPanel* FIntegerViews = nullptr;
    TViewPanel* FFloatViews = nullptr;
    QWidget* FFloatGroup = nullptr;
    QCheckBox* FFloatViewBox = nullptr;
    THistoryView* FHistoryView = nullptr;
    TWildcardPage* FWildcardPage = nullptr;
    QSplitter* FSplitter = nullptr;
    QActionGroup* FWidthActions = nullptr;
    QList<QAction*> FWordActions; // the ones for the word, off on the wildcard tab
};
