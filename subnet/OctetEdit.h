#pragma once

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
    // The focus went to another control. Switching to another window or
    // opening a popup menu is not leaving the field.
    void exited();
    // Enter or Return was pressed; the key goes no further.
    void enterPressed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
