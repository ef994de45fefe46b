#include "radix/NumberMemo.h"

#include <QFocusEvent>
#include <QScopedValueRollback>
#include <QValidator>

#include <algorithm>

// Keeps user edits within the field's maximum length the way a native edit
// control does: an insertion that would overflow is cut to the room that is
// left, and refused when there is none. Edits that do not lengthen the text
// always pass, so a long program text can still be shortened.
class TInputLengthValidator : public QValidator
{
public:
    explicit TInputLengthValidator(TNumberMemo* memo) : QValidator(memo), FMemo(memo) {}

    State validate(QString& input, int& pos) const override
    {
        const int maxLength = FMemo->FMaxInputLength;
        const QString& before = FMemo->FTextBeforeEdit;
        if (FMemo->FWriting || maxLength < 0 || input.size() <= maxLength ||
            input.size() <= before.size())
            return Acceptable;

        // The edit replaced some part of `before` by an insertion that ends
        // at the caret; what follows the caret is unchanged.
        const qsizetype cursor = std::clamp<qsizetype>(pos, 0, input.size());
        const qsizetype tailLength = input.size() - cursor;
        if (tailLength > before.size() || !before.endsWith(input.mid(cursor)))
            return Invalid;
        const QString oldHead = before.left(before.size() - tailLength);
        qsizetype headLength = 0;
        while (headLength < oldHead.size() && headLength < cursor &&
               oldHead.at(headLength) == input.at(headLength))
            ++headLength;
        const qsizetype inserted = cursor - headLength;
        const qsizetype room = maxLength - (input.size() - inserted);
        if (room <= 0)
            return Invalid;
        input = input.left(headLength + room) + input.mid(cursor);
        pos = static_cast<int>(headLength + room);
        return Acceptable;
    }

private:
    TNumberMemo* FMemo;
};

TNumberMemo::TNumberMemo(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new TInputLengthValidator(this));
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { FTextBeforeEdit = text; });
}

void TNumberMemo::writeText(const QString& text)
{
    // Restored however setText is left: the change handlers it runs may throw.
    const QScopedValueRollback<bool> writing(FWriting, true);
    setText(text);
}

void TNumberMemo::focusInEvent(QFocusEvent* event)
{
    // A line edit selects all of its text when tabbed into; this field keeps
    // the caret where its owner puts it instead.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::ShortcutFocusReason) {
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
        return;
    }
    QLineEdit::focusInEvent(event);
}
