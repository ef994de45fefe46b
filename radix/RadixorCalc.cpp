#include "radix/RadixorCalc.h"

#include "controls/ClippedText.h"
#include "controls/FocusMove.h"
#include "controls/RadioGroup.h"
#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/Errors.h"
#include "core/QorvelGlobal.h"
#include "radix/NumberMemo.h"
#include "ui_RadixorCalc.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <iterator>

namespace {

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// The character a key stands for. Some platforms report Ctrl with a letter
// as the plain letter; as a typed character it is the letter's control code,
// so that select-all, paste and the like are not taken for digits.
char typedCharacter(QChar character, Qt::KeyboardModifiers modifiers)
{
    auto code = static_cast<char>(character.unicode());
    const bool controlOnly =
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::ControlModifier;
    if (controlOnly && code >= '@' && code <= '~')
        code = static_cast<char>(code & 0x1F);
    return code;
}

struct TWidthItem
{
    int32_t maxValue;
    int decMaxLength;
    int hexMaxLength;
    int binMaxLength;
};

// Per item of the number width group: 8, 16 and 32 bits. The 32-bit maximum
// is the largest signed value; larger ones are reached as negatives.
constexpr TWidthItem widthItems[] = {
    {255, 3, 2, 8},
    {65535, 5, 4, 16},
    {2147483647, 10, 8, 32},
};

} // namespace

TRadixorCalc::TRadixorCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TRadixorCalc>())
{
}

void TRadixorCalc::ensureBuilt()
{
    if (FBuilt)
        return;
    FBuilt = true;
    ui->setupUi(this);

    // The group has a face of its own, one pixel larger than the window's.
    QFont groupFont = ui->NumberWidthGroup->font();
    groupFont.setPixelSize(12);
    ui->NumberWidthGroup->setFont(groupFont);

    ui->CopyLookupTableButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                        QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    for (TSpeedButton* button :
         {ui->DecClipboardButton, ui->HexClipboardButton, ui->BinClipboardButton}) {
        button->setGlyph(QStringLiteral(":/bitmaps/CLIPBOARD.svg"),
                         QStringLiteral(":/bitmaps/CLIPBOARDDISABLED.svg"));
        connect(button, &QAbstractButton::clicked, this, &TRadixorCalc::NumClipboardButtonClick);
    }

    // The item is selected in the form already; from here on every change
    // of the selection, by the user or by the program, runs the click handler.
    FNumberWidthItems = makeRadioGroup(
        this, {ui->NumberWidth8Button, ui->NumberWidth16Button, ui->NumberWidth32Button},
        TCheckedItemClick::Ignored, [this](int id) { NumberWidthGroupClick(id); });

    connect(ui->ClearButton, &QAbstractButton::clicked, this, &TRadixorCalc::ClearButtonClick);
    connect(ui->InvertButton, &QAbstractButton::clicked, this, &TRadixorCalc::InvertButtonClick);
    connect(ui->CopyLookupTableButton, &QAbstractButton::clicked, this,
            &TRadixorCalc::CopyLookupTableButtonClick);

    for (TNumberMemo* memo : {ui->DecMemo, ui->HexMemo, ui->BinMemo}) {
        memo->installEventFilter(this);
        attachChangeHandler(memo);
    }

    // Zero in the decimal field fills the other two.
    writeAttached(ui->DecMemo, "0");
    fillLookupTable();
    showWholeTextsWhenClipped(this);
}

TRadixorCalc::~TRadixorCalc()
{
    if (!FBuilt)
        return;
    // The fields outlive this part of the object while the widget tree is
    // torn down; nothing they report may reach the handlers any more.
    for (TNumberMemo* memo : {ui->DecMemo, ui->HexMemo, ui->BinMemo})
        memo->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

QTabWidget* TRadixorCalc::pageControl() const
{
    // Asking for the tabs is the first need of them.
    const_cast<TRadixorCalc*>(this)->ensureBuilt();
    return ui->RadixorCalcPageControl;
}

void TRadixorCalc::pageEntered(QWidget* page, QObject*)
{
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(true);
        emit copyAvailable(ui->CopyLookupTableButton);
    }
}

void TRadixorCalc::pageLeaving(QWidget* page, QObject*)
{
    if (page == ui->LookupTableTabSheet) {
        emit copyUnavailable();
        ui->CopyLookupTableButton->setEnabled(false);
        // Leaving the table with the focus in it hands the focus to the
        // conversion page, so a number field may have been entered already;
        // it keeps Edit > Copy.
        if (TNumberMemo* memo = focusedMemo())
            emit copyAvailable(clipboardButtonOf(memo));
    }
}

bool TRadixorCalc::eventFilter(QObject* watched, QEvent* event)
{
    if (!isNumberMemo(watched))
        return TCalcView::eventFilter(watched, event);
    auto* memo = static_cast<TNumberMemo*>(watched);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (isFocusMove(static_cast<QFocusEvent*>(event)))
            NumMemoEnter(memo);
        break;
    case QEvent::FocusOut:
        if (isFocusMove(static_cast<QFocusEvent*>(event)))
            NumMemoExit(memo);
        break;
    case QEvent::KeyPress: {
        if (FResendingKey)
            break;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!NumMemoKeyDown(keyEvent))
            return true;
        const QString typed = keyEvent->text();
        QString accepted;
        for (QChar character : typed) {
            // Delete comes with the DEL code but edits like a cursor key.
            if (character == QChar(127)) {
                accepted += character;
                continue;
            }
            if (character.unicode() > 127)
                continue;
            char key = typedCharacter(character, keyEvent->modifiers());
            if (NumMemoKeyPress(memo, key))
                accepted += QChar::fromLatin1(key);
        }
        if (accepted == typed)
            break;
        if (accepted.isEmpty())
            return true;
        // The field gets the key as the filter changed it.
        QKeyEvent rewritten(keyEvent->type(), keyEvent->key(), keyEvent->modifiers(),
                            keyEvent->nativeScanCode(), keyEvent->nativeVirtualKey(),
                            keyEvent->nativeModifiers(), accepted, keyEvent->isAutoRepeat(),
                            static_cast<quint16>(keyEvent->count()));
        const QScopedValueRollback<bool> resending(FResendingKey, true);
        QCoreApplication::sendEvent(memo, &rewritten);
        return true;
    }
    default:
        break;
    }
    return TCalcView::eventFilter(watched, event);
}

void TRadixorCalc::DecMemoChange()
{
    memoChange(ui->DecMemo);
}

void TRadixorCalc::HexMemoChange()
{
    memoChange(ui->HexMemo);
}

void TRadixorCalc::BinMemoChange()
{
    memoChange(ui->BinMemo);
}

void TRadixorCalc::memoChange(TNumberMemo* source)
{
    const std::string text = source->text().toStdString();
    if (text.empty())
        return;

    const TBase base = baseOf(source);
    bool outOfRange = false;
    try {
        FValue = readValue(source, StripSeparators(text), outOfRange);
    } catch (const EZentrixError&) {
        // Unreadable decimal text stays in its field; the value does not move.
        FValue = FLastValue;
    }
    // A decimal number beyond 32 bits is too large for every width.
    if (outOfRange || FValue > FMaxValue) {
        // Refused: the field goes back to the last value, which converts once
        // more to the same result.
        FValue = FLastValue;
        writeAttached(source, plainForm(base, FLastValue));
        source->setCursorPosition(static_cast<int>(source->text().size()));
    }
    FLastValue = FValue;

    // The field being typed in keeps the user's text; the others show the value.
    for (TBase other : {TBase::Dec, TBase::Hex, TBase::Bin}) {
        if (other != base)
            writeDetached(memoOf(other), shownForm(other, FValue));
    }
}

int32_t TRadixorCalc::readValue(TNumberMemo* memo, const std::string& text, bool& outOfRange) const
{
    switch (baseOf(memo)) {
    case TBase::Dec:
        return conv::strToIntSaturated(text, &outOfRange);
    case TBase::Hex:
        return HexToInt(text);
    case TBase::Bin:
        break;
    }
    return BinToInt(text);
}

std::string TRadixorCalc::shownForm(TBase base, int32_t value) const
{
    switch (base) {
    case TBase::Dec:
        return GroupThousands(conv::intToStr(value));
    case TBase::Hex:
        return GroupBy(conv::intToHex(value, FNumberWidth / 4), 2);
    case TBase::Bin:
        break;
    }
    return GroupBy(IntToBin(value, FNumberWidth), 8);
}

std::string TRadixorCalc::plainForm(TBase base, int32_t value) const
{
    switch (base) {
    case TBase::Dec:
        return conv::intToStr(value);
    case TBase::Hex:
        return conv::intToHex(value, FNumberWidth / 4);
    case TBase::Bin:
        break;
    }
    return IntToBin(value, FNumberWidth);
}

void TRadixorCalc::NumMemoEnter(TNumberMemo* memo)
{
    // The field is edited without separators; they come back on leaving.
    detachChangeHandler(memo);
    memo->writeText(toQString(StripSeparators(memo->text().toStdString())));
    memo->setCursorPosition(static_cast<int>(memo->text().size()));
    attachChangeHandler(memo);

    emit copyAvailable(clipboardButtonOf(memo));
}

void TRadixorCalc::NumMemoExit(TNumberMemo* memo)
{
    if (memo->text().isEmpty())
        writeAttached(memo, "0");

    // The text is regrouped as it stands, not rebuilt from the value, so
    // hexadecimal typed as ABC reads A BC. Separators pasted into it are
    // dropped first: grouping counts every character and would double them.
    const std::string digits = StripSeparators(memo->text().toStdString());
    switch (baseOf(memo)) {
    case TBase::Dec:
        writeDetached(memo, GroupThousands(digits));
        break;
    case TBase::Hex:
        writeDetached(memo, GroupBy(digits, 2));
        break;
    case TBase::Bin:
        writeDetached(memo, GroupBy(digits, 8));
        break;
    }

    emit copyUnavailable();
}

bool TRadixorCalc::NumMemoKeyPress(TNumberMemo* memo, char& key) const
{
    // The fields hold one line: a line feed never gets in.
    if (key == '\n')
        return false;
    switch (baseOf(memo)) {
    case TBase::Dec:
        return IsDecDigit(key) || IsControlChar(key);
    case TBase::Hex:
        if (!IsHexDigit(key) && !IsControlChar(key))
            return false;
        if (key >= 'a' && key <= 'f')
            key = static_cast<char>(key - 'a' + 'A');
        return true;
    case TBase::Bin:
        break;
    }
    // Control characters pass so that backspace and the clipboard keys work.
    return IsBinDigit(key) || IsControlChar(key);
}

bool TRadixorCalc::NumMemoKeyDown(const QKeyEvent* event) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return !(event->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier);
}

void TRadixorCalc::NumberWidthGroupClick(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(std::size(widthItems)))
        return;
    const TWidthItem& item = widthItems[itemIndex];
    FNumberWidth = static_cast<uint8_t>(8 << itemIndex);
    FMaxValue = item.maxValue;
    ui->DecMemo->setMaxInputLength(item.decMaxLength);
    ui->HexMemo->setMaxInputLength(item.hexMaxLength);
    ui->BinMemo->setMaxInputLength(item.binMaxLength);

    // Reading the decimal field again keeps a value that fits and clamps
    // one that does not to the new maximum.
    FLastValue = FMaxValue;
    DecMemoChange();
}

void TRadixorCalc::ClearButtonClick()
{
    writeAttached(ui->DecMemo, "0");
}

void TRadixorCalc::InvertButtonClick()
{
    // All 32 bits, whatever the width: a negative result always fits.
    const int32_t value = conv::strToInt(StripSeparators(ui->DecMemo->text().toStdString()));
    writeAttached(ui->DecMemo, conv::intToStr(~value));
}

void TRadixorCalc::NumClipboardButtonClick()
{
    TNumberMemo* memo = ui->BinMemo;
    if (sender() == ui->DecClipboardButton)
        memo = ui->DecMemo;
    else if (sender() == ui->HexClipboardButton)
        memo = ui->HexMemo;
    // Exactly as shown: ungrouped while the field is being edited.
    QGuiApplication::clipboard()->setText(memo->text());
}

void TRadixorCalc::CopyLookupTableButtonClick()
{
    ui->LookupStringGrid->CopyToClipboard();
}

void TRadixorCalc::fillLookupTable()
{
    TSuperStringGrid* grid = ui->LookupStringGrid;
    grid->setCells(0, 0, QStringLiteral("Decimal"));
    grid->setCells(1, 0, QStringLiteral("Hexadecimal"));
    grid->setCells(2, 0, QStringLiteral("Binary"));
    // Leading blanks keep every hexadecimal cell two characters and every
    // binary cell nine wide, so the columns line up.
    for (int32_t value = 0; value <= 255; ++value) {
        const int row = value + 1;
        grid->setCells(0, row, toQString(conv::intToStr(value)));
        if (value < 16) {
            grid->setCells(1, row, toQString(" " + conv::intToHex(value, 1)));
            grid->setCells(2, row, toQString("     " + IntToBin(value, 4)));
        } else {
            grid->setCells(1, row, toQString(conv::intToHex(value, 2)));
            grid->setCells(2, row, toQString(GroupBy(IntToBin(value, 8), 4)));
        }
    }
}

TRadixorCalc::TBase TRadixorCalc::baseOf(const TNumberMemo* memo) const
{
    if (memo == ui->DecMemo)
        return TBase::Dec;
    if (memo == ui->HexMemo)
        return TBase::Hex;
    return TBase::Bin;
}

TNumberMemo* TRadixorCalc::memoOf(TBase base) const
{
    switch (base) {
    case TBase::Dec:
        return ui->DecMemo;
    case TBase::Hex:
        return ui->HexMemo;
    case TBase::Bin:
        break;
    }
    return ui->BinMemo;
}

QAbstractButton* TRadixorCalc::clipboardButtonOf(const TNumberMemo* memo) const
{
    switch (baseOf(memo)) {
    case TBase::Dec:
        return ui->DecClipboardButton;
    case TBase::Hex:
        return ui->HexClipboardButton;
    case TBase::Bin:
        break;
    }
    return ui->BinClipboardButton;
}

bool TRadixorCalc::isNumberMemo(const QObject* object) const
{
    return object == ui->DecMemo || object == ui->HexMemo || object == ui->BinMemo;
}

TNumberMemo* TRadixorCalc::focusedMemo() const
{
    for (TNumberMemo* memo : {ui->DecMemo, ui->HexMemo, ui->BinMemo}) {
        if (memo->hasFocus())
            return memo;
    }
    return nullptr;
}

QMetaObject::Connection& TRadixorCalc::changeConnection(const TNumberMemo* memo)
{
    switch (baseOf(memo)) {
    case TBase::Dec:
        return FDecChange;
    case TBase::Hex:
        return FHexChange;
    case TBase::Bin:
        break;
    }
    return FBinChange;
}

void TRadixorCalc::attachChangeHandler(TNumberMemo* memo)
{
    QMetaObject::Connection& connection = changeConnection(memo);
    if (connection)
        return;
    switch (baseOf(memo)) {
    case TBase::Dec:
        connection = connect(memo, &QLineEdit::textChanged, this, &TRadixorCalc::DecMemoChange);
        break;
    case TBase::Hex:
        connection = connect(memo, &QLineEdit::textChanged, this, &TRadixorCalc::HexMemoChange);
        break;
    case TBase::Bin:
        connection = connect(memo, &QLineEdit::textChanged, this, &TRadixorCalc::BinMemoChange);
        break;
    }
}

void TRadixorCalc::detachChangeHandler(TNumberMemo* memo)
{
    QMetaObject::Connection& connection = changeConnection(memo);
    disconnect(connection);
    connection = QMetaObject::Connection();
}

void TRadixorCalc::writeDetached(TNumberMemo* memo, const std::string& text)
{
    detachChangeHandler(memo);
    memo->writeText(toQString(text));
    attachChangeHandler(memo);
}

void TRadixorCalc::writeAttached(TNumberMemo* memo, const std::string& text)
{
    memo->writeText(toQString(text));
}
