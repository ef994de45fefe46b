#include "workbench/BitWorkbench.h"

#include "workbench/BitGrid.h"
#include "workbench/RememberedWorkbench.h"
#include "workbench/ViewPanel.h"
#include "workbench/WildcardPage.h"

#include "controls/ErrorReport.h"
#include "controls/PaletteTone.h"
#include "core/Errors.h"
#include "ipaddress/AddressText.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QUndoStack>

namespace {

const QString EntryHint = QStringLiteral(
    "Type a value: 255, -6, 0xFF, 0o17, 0b1010, 'AB', 192.0.2.1, 2001:db8::1 or 1.5");

} // namespace

TBitWorkbench::TBitWorkbench(QWidget* parent)
    : QMainWindow(parent), FUndoStack(new QUndoStack(this)),
      FHistory(new TWordHistory(FUndoStack, this))
{
    setObjectName(QStringLiteral("BitWorkbench"));
    setWindowTitle(QStringLiteral("Bit Workbench"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A long session keeps its last thousand steps.
    FUndoStack->setUndoLimit(1000);
    buildLayout();
    buildMenus();
    restoreRemembered();
}

TBitWorkbench::~TBitWorkbench()
{
    // The program may end with the window open: what it holds is kept.
    reportErrors([this] { remember(); });
    // The controls go after this object has stopped being the window, and
    // some of them signal as they go: nothing of theirs may reach it.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TBitWorkbench::present()
{
    // The value is there to be typed over.
    if (!isVisible()) {
        FValueEdit->setFocus();
        FValueEdit->selectAll();
    }
    show();
    raise();
    activateWindow();
}

void TBitWorkbench::closeEvent(QCloseEvent* event)
{
    reportErrors([this] { remember(); });
    event->accept();
}

bool TBitWorkbench::eventFilter(QObject* watched, QEvent* event)
{
    // Undo and redo are the history's, also while the entry has the focus:
    // the entry's own text undo would go behind the history's back.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Z &&
             key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

WordSpec TBitWorkbench::entrySpec() const
{
    WordSpec spec;
    spec.width = FWidthBox->currentData().toUInt();
    spec.isSigned = FSignedBox->isChecked();
    spec.signedSwitch = "tick Signed";
    return spec;
}

CopyForm TBitWorkbench::copyForm() const
{
    return CopyForm(FCopyFormBox->currentIndex());
}

// --- what the user changes --------------------------------------------------------

void TBitWorkbench::valueEdited()
{
    const QString text = FValueEdit->text();
    FEntryFault.clear();
    if (!text.trimmed().isEmpty()) {
        try {
            const ReadWord read = readWord(text.toStdString(), entrySpec());
            WorkbenchState after{read.word, read.form};
            after.word.carry = FState.word.carry;
            change(after, QStringLiteral("typed ") + text.trimmed(), true);
        } catch (const EZentrixError& error) {
            FEntryFault = QString::fromUtf8(error.what());
        }
    }
    refresh();
}

bool TBitWorkbench::rereadFaultyEntry(const WordSpec& spec)
{
    // A text refused for the width or the signedness may read now.
    if (FEntryFault.isEmpty())
        return false;
    try {
        const ReadWord read = readWord(FValueEdit->text().toStdString(), spec);
        FEntryFault.clear();
        WorkbenchState after{read.word, read.form};
        after.word.carry = FState.word.carry;
        change(after, QStringLiteral("typed ") + FValueEdit->text().trimmed(), true);
        return true;
    } catch (const EZentrixError& error) {
        FEntryFault = QString::fromUtf8(error.what());
        return false;
    }
}

void TBitWorkbench::widthChosen(unsigned width)
{
    if (width == FState.word.width)
        return;
    WordSpec spec = entrySpec();
    spec.width = width;
    if (!rereadFaultyEntry(spec)) {
        BitOperation operation;
        operation.kind = OperationKind::Width;
        operation.count = width;
        try {
            WorkbenchState after = FState;
            after.word = applyOperation(FState.word, operation);
            change(after, QString::fromStdString(operationText(operation, width)), false,
                   !FEntryFault.isEmpty());
        } catch (const EZentrixError& error) {
            FRefusal = QString::fromUtf8(error.what());
        }
    }
    refresh();
}

void TBitWorkbench::signedToggled(bool isSigned)
{
    WordSpec spec = entrySpec();
    spec.isSigned = isSigned;
    if (!rereadFaultyEntry(spec)) {
        WorkbenchState after = FState;
        after.word.isSigned = isSigned;
        change(after, isSigned ? QStringLiteral("signed") : QStringLiteral("unsigned"), false,
               !FEntryFault.isEmpty());
    }
    refresh();
}

void TBitWorkbench::carryToggled(bool carry)
{
    WorkbenchState after = FState;
    after.word.carry = carry;
    change(after, carry ? QStringLiteral("carry:1") : QStringLiteral("carry:0"));
    refresh();
}

void TBitWorkbench::bitFlipped(unsigned bit)
{
    BitOperation flip;
    flip.kind = OperationKind::Flip;
    flip.range = {bit, bit};
    WorkbenchState after = FState;
    after.word = applyOperation(FState.word, flip);
    change(after, QString::fromStdString(operationText(flip, FState.word.width)));
    refresh();
}

void TBitWorkbench::fieldChosen(std::optional<BitRange> field)
{
    FField = field;
    describeField();
}

void TBitWorkbench::floatViewToggled(bool)
{
    refresh();
}

// --- the state and what shows it ----------------------------------------------------

void TBitWorkbench::change(const WorkbenchState& after, const QString& what, bool typed,
                           bool keepEntry)
{
    FRefusal.clear();
    if (after.word == FState.word) {
        // The same bits written another way: the entry's form follows.
        FState.form = after.form;
        return;
    }
    FKeepEntry = typed || keepEntry;
    FUndoStack->push(new TWordChange([this](const WorkbenchState& state) { showState(state); },
                                     FState, after, what, typed));
    FKeepEntry = false;
}

void TBitWorkbench::showState(const WorkbenchState& state)
{
    FState = state;
    if (!FKeepEntry) {
        FEntryFault.clear();
        FValueEdit->setText(QString::fromStdString(entryText(state.word, state.form)));
    }
    refresh();
}

void TBitWorkbench::refresh()
{
    const BitWord& word = FState.word;
    {
        const QSignalBlocker width(FWidthBox);
        const QSignalBlocker isSigned(FSignedBox);
        const QSignalBlocker carry(FCarryBox);
        FWidthBox->setCurrentIndex(FWidthBox->findData(word.width));
        FSignedBox->setChecked(word.isSigned);
        FCarryBox->setChecked(word.carry);
        for (QAction* action : FWidthActions->actions())
            action->setChecked(action->data().toUInt() == word.width);
    }
    // While the entry's text is refused, the views show the word read last,
    // dimmed.
    FIntegerViews->setEnabled(FEntryFault.isEmpty());
    FFloatViews->setEnabled(FEntryFault.isEmpty());
    const ViewFields views = wordViews(word);
    FIntegerViews->showFields(views);
    const std::optional<FloatFormat> format = floatFormatOfWidth(word.width);
    FFloatGroup->setVisible(format.has_value());
    FFloatViews->setVisible(format && FFloatViewBox->isChecked());
    if (format && FFloatViewBox->isChecked())
        FFloatViews->showFields(views);
    if (format)
        FFloatViewBox->setText(QStringLiteral("IEEE-754 %1").arg(floatLayout(*format).name));
    FGrid->setWord(word);
    FGrid->setFloatLayout(FFloatViewBox->isChecked() ? format : std::nullopt);
    if (FField && FField->high >= word.width)
        FField.reset();
    FGrid->setField(FField);
    describeField();

    FValueEdit->setAccessibleDescription(FEntryFault);
    QPalette entryColours;
    if (!FEntryFault.isEmpty())
        entryColours.setColor(QPalette::Base, toneBetween(entryColours.color(QPalette::Base),
                                                          QColor(220, 40, 40), 0.3));
    FValueEdit->setPalette(entryColours);
    const bool empty = FValueEdit->text().trimmed().isEmpty();
    showMessage(!FEntryFault.isEmpty() ? FEntryFault
                : !FRefusal.isEmpty()  ? FRefusal
                : empty                ? EntryHint
                                       : QString());
}

void TBitWorkbench::showMessage(const QString& message)
{
    FMessage->setText(message);
    const bool hint = message == EntryHint;
    FMessage->setForegroundRole(hint ? QPalette::PlaceholderText : QPalette::WindowText);
    FMessage->setAccessibleName(message);
}

void TBitWorkbench::describeField()
{
    if (!FField) {
        FFieldLine->setText(QStringLiteral(
            "Operations act on the whole word. Drag across bits, or Shift with the arrow keys "
            "in the grid, to choose a field."));
        return;
    }
    BitOperation extract;
    extract.kind = OperationKind::Field;
    extract.range = *FField;
    const BitWord value = applyOperation(FState.word, extract);
    FFieldLine->setText(QStringLiteral("Field: bits %1 to %2 hold %3 (%4). Operations act on it; "
                                       "Esc in the grid lets it go.")
                            .arg(FField->low)
                            .arg(FField->high)
                            .arg(QStringLiteral("0x") +
                                 QString::fromStdString(hexText(value.bits, FField->length())))
                            .arg(QString::fromStdString(addresstext::decimalText(value.bits))));
}

// --- between runs ------------------------------------------------------------------------

void TBitWorkbench::restoreRemembered()
{
    const TRememberedWorkbench remembered = TRememberedWorkbench::load();
    if (!remembered.geometry.isEmpty())
        restoreGeometry(remembered.geometry);
    if (!remembered.splitter.isEmpty())
        FSplitter->restoreState(remembered.splitter);
    FOperandEdit->setText(remembered.operand);
    FCountBox->setValue(remembered.count);
    FCopyFormBox->setCurrentIndex(int(remembered.copyForm));
    FFloatViewBox->setChecked(remembered.floatView);
    FWildcardPage->setTexts(remembered.wildcard);
    FPages->setCurrentIndex(remembered.page);
    FState = {remembered.word, remembered.form};
    FHistory->setStart(FState);
    // The entry as it was typed, when that still reads as the word.
    QString entry = QString::fromStdString(entryText(FState.word, FState.form));
    try {
        WordSpec spec;
        spec.width = FState.word.width;
        spec.isSigned = FState.word.isSigned;
        if (readWord(remembered.entry.toStdString(), spec).word.bits == FState.word.bits)
            entry = remembered.entry;
    } catch (const EZentrixError&) {
    }
    FValueEdit->setText(entry);
    refresh();
    pageChanged();
}

void TBitWorkbench::remember()
{
    TRememberedWorkbench remembered;
    remembered.word = FState.word;
    remembered.form = FState.form;
    remembered.entry = FValueEdit->text();
    remembered.operand = FOperandEdit->text();
    remembered.count = FCountBox->value();
    remembered.copyForm = copyForm();
    remembered.floatView = FFloatViewBox->isChecked();
    remembered.page = FPages->currentIndex();
    remembered.wildcard = FWildcardPage->texts();
    remembered.geometry = saveGeometry();
    remembered.splitter = FSplitter->saveState();
    remembered.save();
}
