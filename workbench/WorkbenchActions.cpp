// The bit workbench's menus and what their entries do: the operations
// (each also a button under the grid), undo and redo, copying in the chosen
// form, the width, and the tabs.
#include "workbench/BitWorkbench.h"

#include "workbench/BitGrid.h"
#include "workbench/WildcardPage.h"

#include "controls/ErrorReport.h"
#include "core/Errors.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>

namespace {

struct OperationEntry
{
    OperationKind kind;
    const char* menuText;
    const char* buttonText;
    const char* hint;
    QKeyCombination shortcut;
};

// The menus' entries in three groups, each with its own mnemonics; the
// buttons under the grid follow the same rows.
const OperationEntry Logic[] = {
    {OperationKind::Not, "&NOT", "NOT", "Flip every bit", Qt::CTRL | Qt::SHIFT | Qt::Key_N},
    {OperationKind::And, "&AND", "AND", "AND with the operand", Qt::CTRL | Qt::SHIFT | Qt::Key_A},
    {OperationKind::Or, "&OR", "OR", "OR with the operand", Qt::CTRL | Qt::SHIFT | Qt::Key_O},
    {OperationKind::Xor, "&XOR", "XOR", "XOR with the operand", Qt::CTRL | Qt::SHIFT | Qt::Key_X},
    {OperationKind::Nand, "NAN&D", "NAND", "NAND with the operand",
     Qt::CTRL | Qt::SHIFT | Qt::Key_D},
    {OperationKind::Nor, "NO&R", "NOR", "NOR with the operand", Qt::CTRL | Qt::SHIFT | Qt::Key_R},
};
const OperationEntry Shifts[] = {
    {OperationKind::Shl, "Shift &Left", "SHL", "Shift left by the count; zeros come in",
     Qt::ALT | Qt::Key_Left},
    {OperationKind::Shr, "Shift &Right", "SHR", "Shift right by the count; zeros come in",
     Qt::ALT | Qt::Key_Right},
    {OperationKind::Sar, "Shift Right &Arithmetically", "SAR",
     "Shift right by the count; copies of the top bit come in",
     Qt::ALT | Qt::SHIFT | Qt::Key_Right},
    {OperationKind::Rol, "R&otate Left", "ROL", "Rotate left by the count", Qt::ALT | Qt::Key_Up},
    {OperationKind::Ror, "Rotate R&ight", "ROR", "Rotate right by the count",
     Qt::ALT | Qt::Key_Down},
    {OperationKind::Rcl, "Rotate Left through &Carry", "RCL",
     "Rotate left by the count through the carry", Qt::ALT | Qt::SHIFT | Qt::Key_Up},
    {OperationKind::Rcr, "Rotate Right through Carr&y", "RCR",
     "Rotate right by the count through the carry", Qt::ALT | Qt::SHIFT | Qt::Key_Down},
};
const OperationEntry Fields[] = {
    {OperationKind::Swap, "Swap &Bytes", "Swap", "Put the bytes in the opposite order",
     Qt::CTRL | Qt::SHIFT | Qt::Key_W},
    {OperationKind::Reverse, "&Reverse Bits", "Reverse", "Put the bits in the opposite order",
     Qt::CTRL | Qt::SHIFT | Qt::Key_B},
    {OperationKind::Set, "&Set", "Set", "Set the field, or the bit at the grid's cursor",
     Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {OperationKind::Clear, "&Clear", "Clear", "Clear the field, or the bit at the grid's cursor",
     Qt::CTRL | Qt::SHIFT | Qt::Key_L},
    {OperationKind::Flip, "&Flip", "Flip", "Flip the field, or the bit at the grid's cursor",
     Qt::CTRL | Qt::SHIFT | Qt::Key_F},
    {OperationKind::Field, "&Extract Field", "Extract", "Keep only the field, moved down to bit 0",
     Qt::CTRL | Qt::SHIFT | Qt::Key_E},
};

const char* const CopyFormNames[] = {"&0x Hex", "&C/C++ Literal", "&Plain Hex", "&Binary",
                                     "&All Views"};

// The set, clear, flip and extract operations take the field as their
// range; the others act on it as a word of its own.
bool takesRange(OperationKind kind)
{
    return operationArgument(kind) == OperationArgument::Range;
}

} // namespace

void TBitWorkbench::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* close = file->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("CloseWorkbench"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
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
    QAction* copy = edit->addAction(QStringLiteral("&Copy in the Chosen Form"));
    copy->setObjectName(QStringLiteral("CopyChosen"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copy, &QAction::triggered, this, reporting(this, &TBitWorkbench::copyChosen));
    QMenu* copyAsMenu = edit->addMenu(QStringLiteral("Copy &As"));
    for (int form = 0; form < 5; ++form) {
        QAction* action = copyAsMenu->addAction(QLatin1String(CopyFormNames[form]));
        action->setObjectName(QStringLiteral("CopyAs%1").arg(form));
        connect(action, &QAction::triggered, this, reporting([this, form] {
                    FCopyFormBox->setCurrentIndex(form);
                    copyAs(CopyForm(form));
                }));
    }
    FWordActions << copy << copyAsMenu->menuAction();

    QMenu* operations = menuBar()->addMenu(QStringLiteral("&Operations"));
    buildOperationMenus(operations);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* floatView = view->addAction(QStringLiteral("&IEEE-754 Float View"));
    floatView->setObjectName(QStringLiteral("FloatView"));
    floatView->setCheckable(true);
    floatView->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    floatView->setChecked(FFloatViewBox->isChecked());
    connect(floatView, &QAction::toggled, FFloatViewBox, &QCheckBox::setChecked);
    connect(FFloatViewBox, &QCheckBox::toggled, floatView, &QAction::setChecked);
    view->addSeparator();
    for (int page = 0; page < FPages->count(); ++page) {
        QAction* show = view->addAction(FPages->tabText(page) + QStringLiteral(" Tab"));
        show->setObjectName(page == 0 ? QStringLiteral("ShowWordTab")
                                      : QStringLiteral("ShowWildcardTab"));
        show->setShortcut(QKeySequence(Qt::CTRL | (page == 0 ? Qt::Key_1 : Qt::Key_2)));
        connect(show, &QAction::triggered, FPages, [this, page] { FPages->setCurrentIndex(page); });
    }
    connect(FPages, &QTabWidget::currentChanged, this,
            reporting(this, &TBitWorkbench::pageChanged));
}

void TBitWorkbench::buildOperationMenus(QMenu* operations)
{
    auto* buttons = static_cast<QGridLayout*>(FOperationButtons->layout());
    int row = 0;
    const auto addGroup = [&](const QString& title, const OperationEntry* entries, size_t count) {
        QMenu* menu = operations->addMenu(title);
        for (size_t i = 0; i < count; ++i) {
            const OperationEntry& entry = entries[i];
            QAction* action = menu->addAction(QLatin1String(entry.menuText));
            const QString name = QString::fromLatin1(operationName(entry.kind));
            action->setObjectName(QStringLiteral("Operation_") + name);
            action->setShortcut(QKeySequence(entry.shortcut));
            action->setToolTip(QStringLiteral("%1 (%2)").arg(
                QLatin1String(entry.hint), action->shortcut().toString(QKeySequence::NativeText)));
            connect(action, &QAction::triggered, this,
                    reporting([this, kind = entry.kind] { operate(kind); }));
            FWordActions << action;
            // Its button: the action's own, with a short name.
            auto* button = new QToolButton(FOperationButtons);
            button->setObjectName(name + QStringLiteral("Button"));
            button->setText(QLatin1String(entry.buttonText));
            button->setToolTip(action->toolTip());
            button->setAccessibleName(QLatin1String(entry.hint));
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            connect(button, &QToolButton::clicked, action, &QAction::trigger);
            connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
            buttons->addWidget(button, row, int(i));
        }
        ++row;
    };
    addGroup(QStringLiteral("&Logic"), Logic, std::size(Logic));
    addGroup(QStringLiteral("&Shift and Rotate"), Shifts, std::size(Shifts));
    addGroup(QStringLiteral("&Bits and Fields"), Fields, std::size(Fields));

    QMenu* widths = operations->addMenu(QStringLiteral("&Width"));
    FWidthActions = new QActionGroup(this);
    for (unsigned width : WordWidths) {
        QAction* action = widths->addAction(QStringLiteral("&%1 bits").arg(width));
        action->setObjectName(QStringLiteral("Width%1").arg(width));
        action->setCheckable(true);
        action->setData(width);
        FWidthActions->addAction(action);
        connect(action, &QAction::triggered, this,
                reporting([this, width] { widthChosen(width); }));
        FWordActions << action;
    }
}

BitOperation TBitWorkbench::operationFor(OperationKind kind) const
{
    BitOperation operation;
    operation.kind = kind;
    switch (operationArgument(kind)) {
    case OperationArgument::Operand: {
        const QString text = FOperandEdit->text();
        if (text.trimmed().isEmpty())
            throw EZentrixError("Type the second operand first, in the Operand field");
        WordSpec spec = entrySpec();
        spec.width = FState.word.width;
        spec.isSigned = FState.word.isSigned;
        try {
            operation.operand = readWord(text.toStdString(), spec).word.bits;
        } catch (const EZentrixError& error) {
            throw EZentrixError(std::string("Operand: ") + error.what());
        }
        break;
    }
    case OperationArgument::Count:
        operation.count = unsigned(FCountBox->value());
        break;
    case OperationArgument::Range:
        operation.range = FField ? *FField : BitRange{FGrid->cursorBit(), FGrid->cursorBit()};
        break;
    case OperationArgument::None:
    case OperationArgument::Width:
        break;
    }
    return operation;
}

void TBitWorkbench::operate(OperationKind kind)
{
    if (FPages->currentIndex() != 0)
        return;
    try {
        const BitOperation operation = operationFor(kind);
        QString what = QString::fromStdString(operationText(operation, FState.word.width));
        WorkbenchState after = FState;
        if (FField && !takesRange(kind)) {
            after.word = applyToField(FState.word, operation, *FField);
            what += QStringLiteral(" in bits %1-%2").arg(FField->low).arg(FField->high);
        } else {
            after.word = applyOperation(FState.word, operation);
        }
        change(after, what);
    } catch (const EZentrixError& error) {
        FRefusal = QString::fromUtf8(error.what());
    }
    refresh();
}

void TBitWorkbench::copyChosen()
{
    copyAs(copyForm());
}

void TBitWorkbench::copyAs(CopyForm form)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(copyText(FState.word, form)));
}

void TBitWorkbench::pageChanged()
{
    // The word's operations and copies do nothing to the wildcard tab.
    const bool word = FPages->currentIndex() == 0;
    for (QAction* action : FWordActions)
        action->setEnabled(word);
}
