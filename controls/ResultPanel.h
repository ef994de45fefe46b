#pragma once

#include <QLabel>

class QAction;

// A read-only display of one result: a sunken panel whose text is the value
// (a mask, a range, a count). Its context menu holds one entry, "&Copy",
// which puts the shown text on the clipboard as plain text; assistive
// technology finds the same command as the panel's accessible action "Copy".
// A text too long for the panel shows whole in its tooltip.
//
// The panel takes no keyboard focus, so tab order, Edit > Copy and Ctrl+C
// stay as they are: this is a route of its own beside them.
class TResultPanel : public QLabel
{
    Q_OBJECT
public:
    explicit TResultPanel(QWidget* parent = nullptr);

    // The name of the accessible action that copies.
    static QString copyActionName();

    void copyToClipboard() const;
    // The context menu's entry.
    QAction* copyAction() const { return FCopyAction; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* FCopyAction;
};
