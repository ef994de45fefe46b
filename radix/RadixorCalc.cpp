#include "radix/RadixorCalc.h"

#include "controls/ClippedText.h"
#include "controls/ErrorReport.h"
#include "controls/FocusMove.h"
#include "controls/RadioGroup.h"
#include "core/BinDecHex.h"
#include "core/Conversions.h"
#include "core/Errors.h"
#include "core/QorvelGlobal.h"
#include "radix/LookupTable.h"
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
    // Of the decimal, hexadecimal and binary fields.
    int maxLengths[3];
};

// Per item of the number width group: 8, 16 and 32 bits. The 32-bit maximum
// is the largest signed value; larger ones are reached as negatives.
constexpr TWidthItem widthItems[] = {
    {255, {3, 2, 8}},
    {65535, {5, 4, 16}},
    {2147483647, {10, 8, 32}},
};

// Raises for text that is no 32-bit decimal number, one beyond the 32-bit
// range included.
int32_t readDecimal(const std::string& digits)
{
    return conv::strToInt(digits);
}

int32_t readHexadecimal(const std::string& digits)
{
    return HexToInt(digits);
}

int32_t readBinary(const std::string& digits)
{
    return BinToInt(digits);
}

std::string plainDecimal(int32_t value, int)
{
    return conv::intToStr(value);
}

// At least a digit for every four bits of the width: negative values need all eight.
std::string plainHexadecimal(int32_t value, int numberWidth)
{
    return conv::intToHex(value, numberWidth / 4);
}

// Exactly the width's bits.
std::string plainBinary(int32_t value, int numberWidth)
{
    return IntToBin(value, numberWidth);
}

std::string groupHexadecimal(const std::string& digits)
{
    return GroupBy(digits, 2);
}

std::string groupBinary(const std::string& digits)
{
    return GroupBy(digits, 8);
}

} // namespace

TRadixorCalc::TRadixorCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TRadixorCalc>())
{
    ui->setupUi(this);

    // The group has a face of its own, one pixel larger than the window's.
    QFont groupFont = ui->NumberWidthGroup->font();
    groupFont.setPixelSize(12);
    ui->NumberWidthGroup->setFont(groupFont);

    ui->CopyLookupTableButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                        QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    for (TSpeedButton* button :
         {ui->DecClipboardButton, ui->HexClipboardButton, ui->BinClipboardButton})
        button->setGlyph(QStringLiteral(":/bitmaps/CLIPBOARD.svg"),
                         QStringLiteral(":/bitmaps/CLIPBOARDDISABLED.svg"));

    FFields = {{
        {ui->DecMemo, ui->DecClipboardButton, &TRadixorCalc::DecMemoChange, IsDecDigit, readDecimal,
         plainDecimal, GroupThousands, QMetaObject::Connection()},
        {ui->HexMemo, ui->HexClipboardButton, &TRadixorCalc::HexMemoChange, IsHexDigit,
         readHexadecimal, plainHexadecimal, groupHexadecimal, QMetaObject::Connection()},
        {ui->BinMemo, ui->BinClipboardButton, &TRadixorCalc::BinMemoChange, IsBinDigit, readBinary,
         plainBinary, groupBinary, QMetaObject::Connection()},
    }};

    // The item is selected in the form already; from here on every change
    // of the selection, by the user or by the program, runs the click handler.
    FNumberWidthItems = makeRadioGroup(
        this, {ui->NumberWidth8Button, ui->NumberWidth16Button, ui->NumberWidth32Button},
        TCheckedItemClick::Ignored, [this](int id) { NumberWidthGroupClick(id); });

    connect(ui->ClearButton, &QAbstractButton::clicked, this,
            reporting(this, &TRadixorCalc::ClearButtonClick));
    connect(ui->InvertButton, &QAbstractButton::clicked, this,
            reporting(this, &TRadixorCalc::InvertButtonClick));
    connect(ui->CopyLookupTableButton, &QAbstractButton::clicked, this,
            reporting(this, &TRadixorCalc::CopyLookupTableButtonClick));

    for (TNumberField& field : FFields) {
        connect(field.ClipboardButton, &QAbstractButton::clicked, this,
                reporting(this, &TRadixorCalc::NumClipboardButtonClick));
        field.Memo->installEventFilter(this);
        attachChangeHandler(field);
    }

    // Zero in the decimal field fills the other two.
    writeAttached(FFields[0], "0");
    fillLookupTable(*ui->LookupStringGrid);
    showWholeTextsWhenClipped(this);
}

TRadixorCalc::~TRadixorCalc()
{
    // The fields outlive this part of the object while the widget tree is
    // torn down; nothing they report may reach the handlers any more.
    for (TNumberField& field : FFields)
        field.Memo->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

QTabWidget* TRadixorCalc::pageControl() const
{
    return ui->RadixorCalcPageControl;
}

void TRadixorCalc::pageEntered(QWidget* page)
{
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(true);
        emit copyAvailable(ui->CopyLookupTableButton);
    }
}

void TRadixorCalc::pageLeaving(QWidget* page)
{
    if (page == ui->LookupTableTabSheet) {
        emit copyUnavailable();
        ui->CopyLookupTableButton->setEnabled(false);
        // Leaving the table with the focus in it hands the focus to the
        // conversion page, so a number field may have been entered already;
        // it keeps Edit > Copy.
        if (TNumberField* field = focusedField())
            emit copyAvailable(field->ClipboardButton);
    }
}

bool TRadixorCalc::eventFilter(QObject* watched, QEvent* event)
{
    TNumberField* field = fieldOf(watched);
    if (!field)
        return TCalcView::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (isFocusMove(static_cast<QFocusEvent*>(event)))
            reportErrors([this, field] { NumMemoEnter(*field); });
        break;
    case QEvent::FocusOut:
        if (isFocusMove(static_cast<QFocusEvent*>(event)))
            reportErrors([this, field] { NumMemoExit(*field); });
        break;
    case QEvent::KeyPress:
        if (!FResendingKey) {
            bool filtered = true; // a key that failed to go through goes no further
            reportErrors(
                [&] { filtered = filterTypedKey(*field, static_cast<QKeyEvent*>(event)); });
            if (filtered)
                return true;
        }
        break;
    default:
        break;
    }
    return TCalcView::eventFilter(watched, event);
}

bool TRadixorCalc::filterTypedKey(TNumberField& field, QKeyEvent* event)
{
    // Typed keys are filtered here, not by a validator on the field: a
    // validator sees pasted text too, which goes in unfiltered, and a
    // validator that turns a letter into a capital makes the field forget
    // its undo steps.
    if (!NumMemoKeyDown(event))
        return true;
    const QString typed = event->text();
    QString accepted;
    for (QChar character : typed) {
        // Delete comes with the DEL code but edits like a cursor key.
        if (character == QChar(127)) {
            accepted += character;
            continue;
        }
        if (character.unicode() > 127)
            continue;
        char key = typedCharacter(character, event->modifiers());
        if (NumMemoKeyPress(field, key))
            accepted += QChar::fromLatin1(key);
    }
    if (accepted == typed)
        return false;
    if (accepted.isEmpty())
        return true;
    // The field gets the key as the filter changed it.
    QKeyEvent rewritten(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                        event->nativeVirtualKey(), event->nativeModifiers(), accepted,
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
    const QScopedValueRollback<bool> resending(FResendingKey, true);
    QCoreApplication::sendEvent(field.Memo, &rewritten);
    return true;
}

void TRadixorCalc::DecMemoChange()
{
    memoChange(FFields[0]);
}

void TRadixorCalc::HexMemoChange()
{
    memoChange(FFields[1]);
}

void TRadixorCalc::BinMemoChange()
{
    memoChange(FFields[2]);
}

void TRadixorCalc::memoChange(TNumberField& source)
{
    const std::string text = source.Memo->text().toStdString();
    if (text.empty())
        return;

    try {
        FValue = source.Read(StripSeparators(text));
    } catch (const EZentrixError&) {
        // Decimal text that does not read (pasted, or typed past the 32-bit
        // range) stays in its field; the value does not move.
        FValue = FLastValue;
    }
    if (FValue > FMaxValue) {
        // Refused: the field goes back to the last value, which converts once
        // more to the same result.
        FValue = FLastValue;
        writeAttached(source, plainForm(source, FLastValue));
        source.Memo->setCursorPosition(static_cast<int>(source.Memo->text().size()));
    }
    FLastValue = FValue;

    // The field being typed in keeps the user's text; the others show the value.
    for (TNumberField& other : FFields) {
        if (&other != &source)
            writeDetached(other, shownForm(other, FValue));
    }
}

std::string TRadixorCalc::shownForm(const TNumberField& field, int32_t value) const
{
    return field.Group(plainForm(field, value));
}

std::string TRadixorCalc::plainForm(const TNumberField& field, int32_t value) const
{
    return field.Plain(value, FNumberWidth);
}

void TRadixorCalc::NumMemoEnter(TNumberField& field)
{
    // The field is edited without separators; they come back on leaving.
    TNumberMemo* memo = field.Memo;
    detachChangeHandler(field);
    memo->writeText(toQString(StripSeparators(memo->text().toStdString())));
    memo->setCursorPosition(static_cast<int>(memo->text().size()));
    attachChangeHandler(field);

    emit copyAvailable(field.ClipboardButton);
}

void TRadixorCalc::NumMemoExit(TNumberField& field)
{
    if (field.Memo->text().isEmpty())
        writeAttached(field, "0");

    // The text is regrouped as it stands, not rebuilt from the value, so
    // hexadecimal typed as ABC reads A BC. Separators pasted into it are
    // dropped first: grouping counts every character and would double them.
    writeDetached(field, field.Group(StripSeparators(field.Memo->text().toStdString())));

    emit copyUnavailable();
}

bool TRadixorCalc::NumMemoKeyPress(const TNumberField& field, char& key) const
{
    // The fields hold one line: a line feed never gets in. Control
    // characters pass so that backspace and the clipboard keys work.
    if (key == '\n' || !(field.IsDigit(key) || IsControlChar(key)))
        return false;
    // Only hexadecimal digits are letters; they go in as capitals.
    if (key >= 'a' && key <= 'f')
        key = static_cast<char>(key - 'a' + 'A');
    return true;
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
    for (size_t i = 0; i < FFields.size(); ++i)
        FFields[i].Memo->setMaxInputLength(item.maxLengths[i]);

    // Reading the decimal field again keeps a value that fits and clamps
    // one that does not to the new maximum.
    FLastValue = FMaxValue;
    DecMemoChange();
}

void TRadixorCalc::ClearButtonClick()
{
    writeAttached(FFields[0], "0");
}

void TRadixorCalc::InvertButtonClick()
{
    // All 32 bits, whatever the width: a negative result always fits.
    const int32_t value = conv::strToInt(StripSeparators(ui->DecMemo->text().toStdString()));
    writeAttached(FFields[0], conv::intToStr(~value));
}

void TRadixorCalc::NumClipboardButtonClick()
{
    // Any other sender copies the binary field, the last one.
    const TNumberField* field = &FFields.back();
    for (const TNumberField& each : FFields) {
        if (sender() == each.ClipboardButton)
            field = &each;
    }
    // Exactly as shown: ungrouped while the field is being edited.
    QGuiApplication::clipboard()->setText(field->Memo->text());
}

void TRadixorCalc::CopyLookupTableButtonClick()
{
    ui->LookupStringGrid->CopyToClipboard();
}

TRadixorCalc::TNumberField* TRadixorCalc::fieldOf(const QObject* object)
{
    for (TNumberField& field : FFields) {
        if (object == field.Memo)
            return &field;
    }
    return nullptr;
}

TRadixorCalc::TNumberField* TRadixorCalc::focusedField()
{
    for (TNumberField& field : FFields) {
        if (field.Memo->hasFocus())
            return &field;
    }
    return nullptr;
}

void TRadixorCalc::attachChangeHandler(TNumberField& field)
{
    if (!field.ChangeConnection)
        field.ChangeConnection =
            connect(field.Memo, &QLineEdit::textChanged, this, reporting(this, field.Change));
}

void TRadixorCalc::detachChangeHandler(TNumberField& field)
{
    disconnect(field.ChangeConnection);
    field.ChangeConnection = QMetaObject::Connection();
}

void TRadixorCalc::writeDetached(TNumberField& field, const std::string& text)
{
    detachChangeHandler(field);
    field.Memo->writeText(toQString(text));
    attachChangeHandler(field);
}

void TRadixorCalc::writeAttached(TNumberField& field, const std::string& text)
{
    field.Memo->writeText(toQString(text));
}
