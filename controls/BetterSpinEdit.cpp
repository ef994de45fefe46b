#include "controls/BetterSpinEdit.h"

#include "controls/Beep.h"
#include "controls/ErrorReport.h"
#include "controls/FocusMove.h"
#include "controls/SpinButton.h"
#include "core/Conversions.h"
#include "core/Errors.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cstdint>

static_assert(sizeof(int) == sizeof(int32_t), "the spin edit holds 32-bit values in int");

namespace {

// Room between the end of the text and the button.
constexpr int TextGap = 2;

// Steps stop at the ends of the 32-bit range instead of wrapping round to
// the other end.
int saturatingAdd(int a, int b)
{
    int result;
    if (__builtin_add_overflow(a, b, &result))
        return b > 0 ? INT32_MAX : INT32_MIN;
    return result;
}

int saturatingSub(int a, int b)
{
    int result;
    if (__builtin_sub_overflow(a, b, &result))
        return b > 0 ? INT32_MIN : INT32_MAX;
    return result;
}

// The characters a key press would type, as the typing filter sees them:
// Enter and Backspace as CR and BS, nothing for keys that edit or move
// without typing (Delete, arrows) and for Ctrl combinations, which are
// commands rather than text.
QString typedCharacters(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return QString();
    QString text = event->text();
    text.remove(QChar(0x7f));
    return text;
}

bool isDeletingKey(const QKeyEvent* event)
{
    return event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteEndOfWord) ||
           event->matches(QKeySequence::DeleteStartOfWord) ||
           event->matches(QKeySequence::DeleteEndOfLine) ||
           event->matches(QKeySequence::DeleteCompleteLine) || event->matches(QKeySequence::Undo) ||
           event->matches(QKeySequence::Redo);
}

} // namespace

TBetterSpinEdit::TBetterSpinEdit(QWidget* parent)
    : QLineEdit(parent), FSpinButton(new TSpinButton(this))
{
    FSpinButton->setFocusControl(this);
    connect(FSpinButton, &TSpinButton::upClick, this, &TBetterSpinEdit::UpClick);
    connect(FSpinButton, &TSpinButton::downClick, this, &TBetterSpinEdit::DownClick);

    // Numbers only: keystrokes must reach the typing filter as they are.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setTextMargins(0, 0, FSpinButton->width() + TextGap, 0);
    setText(QStringLiteral("0"));
    setMinimumSize(minimumSizeHint());
    resize(sizeHint());
    layoutSpinButton();
}

void TBetterSpinEdit::setValue(int value)
{
    if (FMinValue != FMaxValue) {
        // The lower limit wins when the limits are crossed.
        if (value < FMinValue)
            value = FMinValue;
        else if (value > FMaxValue)
            value = FMaxValue;
    }
    if (value != FValue) {
        FValue = value;
        emit changed();
    }
    setText(QString::number(FValue));
}

void TBetterSpinEdit::setMinValue(int value)
{
    FMinValue = value;
    setValue(FValue);
}

void TBetterSpinEdit::setMaxValue(int value)
{
    FMaxValue = value;
    setValue(FValue);
}

int TBetterSpinEdit::ParseText() const
{
    QString digits = text();
    if (digits.isEmpty())
        return FValue;
    // A minus sign counts only in front.
    for (qsizetype i = digits.size() - 1; i >= 1; --i)
        if (digits.at(i) == QLatin1Char('-'))
            digits.remove(i, 1);
    // Text that is no 32-bit decimal number, one too long for 32 bits
    // included, stands for 0; the value setter then clamps it.
    try {
        return conv::strToInt(digits.toStdString());
    } catch (const EZentrixError&) {
        return 0;
    }
}

bool TBetterSpinEdit::IsValidChar(QChar ch) const
{
    const char16_t c = ch.unicode();
    bool valid = c == u'-' || (c >= u'0' && c <= u'9') || (c < 32 && c != u'\r');
    if (!FEditorEnabled && valid && (c >= 32 || c == u'\b'))
        valid = false;
    return valid;
}

void TBetterSpinEdit::commitText()
{
    setValue(ParseText());
}

void TBetterSpinEdit::step(int amount, bool up)
{
    if (up)
        emit upClicking();
    else
        emit downClicking();

    if (isReadOnly()) {
        beep::play();
    } else {
        // Typed text becomes the base of the step without a word, so
        // changed() reports a step that leaves the value the text showed,
        // even when it lands back on the value committed before. A step
        // clamped back onto the typed value itself has still moved the value
        // from the one committed before: that is reported too.
        const int committed = FValue;
        const int typed = ParseText();
        FValue = typed;
        setValue(up ? saturatingAdd(typed, amount) : saturatingSub(typed, amount));
        if (FValue == typed && typed != committed)
            emit changed();
    }

    if (up)
        emit upClicked();
    else
        emit downClicked();
}

void TBetterSpinEdit::UpClick()
{
    step(FIncrement, true);
}

void TBetterSpinEdit::DownClick()
{
    step(FIncrement, false);
}

void TBetterSpinEdit::FastStepUp()
{
    step(FFastIncrement, true);
}

void TBetterSpinEdit::FastStepDown()
{
    step(FFastIncrement, false);
}

void TBetterSpinEdit::keyPressEvent(QKeyEvent* event)
{
    void (TBetterSpinEdit::*stepKey)() = nullptr;
    switch (event->key()) {
    case Qt::Key_PageUp:
        stepKey = &TBetterSpinEdit::FastStepUp;
        break;
    case Qt::Key_PageDown:
        stepKey = &TBetterSpinEdit::FastStepDown;
        break;
    case Qt::Key_Up:
        stepKey = &TBetterSpinEdit::UpClick;
        break;
    case Qt::Key_Down:
        stepKey = &TBetterSpinEdit::DownClick;
        break;
    default:
        break;
    }
    if (stepKey) {
        reportErrors([this, stepKey] { (this->*stepKey)(); });
        event->accept();
        return;
    }

    // Pasting and cutting are quietly not offered while the text is locked.
    if ((event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) &&
        !canChangeText()) {
        event->accept();
        return;
    }
    // Keys that edit without typing a character are refused like a refused
    // character while the editor is disabled.
    if (!FEditorEnabled && isDeletingKey(event)) {
        beep::play();
        event->accept();
        return;
    }

    const QString typed = typedCharacters(event);
    for (const QChar ch : typed) {
        if (IsValidChar(ch))
            continue;
        if (typed == QLatin1String("\r"))
            reportErrors([this] { commitText(); });
        else
            beep::play();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TBetterSpinEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Coming back from another window, a context menu or the menu bar is no
    // entry, and a click places the cursor.
    if (!isFocusMove(event) || event->reason() == Qt::MouseFocusReason)
        return;
    if (FAutoSelect)
        selectAll();
    else
        deselect();
}

void TBetterSpinEdit::focusOutEvent(QFocusEvent* event)
{
    // Leaving the control commits; another window, a context menu or the
    // menu bar taking the focus for a while does not leave it.
    if (isFocusMove(event))
        reportErrors([this] { commitText(); });
    QLineEdit::focusOutEvent(event);
}

int TBetterSpinEdit::minimumHeightForFont() const
{
    // Font height plus a quarter of the smaller of it and the system font's,
    // plus the borders: enough for the text never to be cut.
    const int fontHeight = fontMetrics().height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int borderHeight = 1;
    return fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * borderHeight + 1;
}

void TBetterSpinEdit::layoutSpinButton()
{
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    const int border =
        hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this) : 0;
    FSpinButton->setGeometry(width() - border - FSpinButton->width(), border, FSpinButton->width(),
                             std::max(0, height() - 2 * border));
}

void TBetterSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    layoutSpinButton();
}

void TBetterSpinEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        setMinimumHeight(minimumHeightForFont());
        layoutSpinButton();
    }
}

QSize TBetterSpinEdit::sizeHint() const
{
    return QSize(65, std::max(21, minimumHeightForFont()));
}

QSize TBetterSpinEdit::minimumSizeHint() const
{
    return QSize(MinimumWidth, minimumHeightForFont());
}

void TBetterSpinEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // Our own menu, since the commands that change the text must follow
    // EditorEnabled as well as ReadOnly.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool editable = canChangeText();
    const bool selected = hasSelectedText();
    const auto add = [menu](const QString& text, const char* name, bool enabled,
                            const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text, keys, slot);
        action->setObjectName(QString::fromLatin1(name));
        action->setEnabled(enabled);
    };
    add(tr("&Undo"), "edit-undo", editable && isUndoAvailable(), QKeySequence::Undo,
        [this] { undo(); });
    add(tr("&Redo"), "edit-redo", editable && isRedoAvailable(), QKeySequence::Redo,
        [this] { redo(); });
    menu->addSeparator();
    add(tr("Cu&t"), "edit-cut", editable && selected, QKeySequence::Cut, [this] { cut(); });
    add(tr("&Copy"), "edit-copy", selected, QKeySequence::Copy, [this] { copy(); });
    add(tr("&Paste"), "edit-paste", editable && !QGuiApplication::clipboard()->text().isEmpty(),
        QKeySequence::Paste, [this] { paste(); });
    add(tr("Delete"), "edit-delete", editable && selected, QKeySequence(), [this] { del(); });
    menu->addSeparator();
    add(tr("Select All"), "select-all", !text().isEmpty() && selectedText() != text(),
        QKeySequence::SelectAll, [this] { selectAll(); });
    menu->popup(event->globalPos());
}

void TBetterSpinEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on X11: a paste like any other.
    if (event->button() == Qt::MiddleButton && !canChangeText()) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TBetterSpinEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!canChangeText()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void TBetterSpinEdit::dropEvent(QDropEvent* event)
{
    if (!canChangeText()) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}
