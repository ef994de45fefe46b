#pragma once

#include <QFrame>
#include <QLineEdit>

// One octet of an IPv4 address: up to three digits and nothing else. It tells
// its owner when the focus moves on to another control and when Enter is
// pressed; what either means is the owner's business.
class TOctetEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TOctetEdit(QWidget* parent = nullptr);

signals:
    // The focus went to another control. Switching to another window,
    // opening a popup menu or the menu bar taking the keys is not leaving
    // the field.
    void exited();
    // Enter or Return was pressed; the key goes no further.
    void enterPressed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The box that holds an address's four octet edits and the dots between
// them. It is filled with the edits' own window colour, so that the address
// reads as one field rather than four.
class TOctetBox : public QFrame
{
    Q_OBJECT
public:
    explicit TOctetBox(QWidget* parent = nullptr);
};
