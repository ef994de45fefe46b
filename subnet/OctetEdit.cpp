#include "subnet/OctetEdit.h"

#include "controls/ErrorReport.h"
#include "controls/FocusMove.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

TOctetEdit::TOctetEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(3);
    setFrame(false);
    // Typed and pasted text alike: digits only, at most three; empty is
    // allowed while the user retypes the octet.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this));
}

void TOctetEdit::focusOutEvent(QFocusEvent* event)
{
    // The edit finishes its own focus handling first, so a failing owner
    // handler cannot leave a blinking cursor behind in a field that lost focus.
    QLineEdit::focusOutEvent(event);
    if (isFocusMove(event))
        reportErrors([this] { emit exited(); });
}

void TOctetEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        reportErrors([this] { emit enterPressed(); });
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TOctetBox::TOctetBox(QWidget* parent) : QFrame(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}
