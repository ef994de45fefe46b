#pragma once

#include "app/MainForm.h"

#include <QString>
#include <memory>

class QAbstractButton;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class TSuperStringGrid;

// The number-base calculator driven through the real main window, as a user
// does: clicks on the width items, tabs and table cells, typing into the
// fields. Helpers that check something report through QtTest.
class RadixDriver
{
public:
    // A fresh window with the number-base calculator selected and the
    // clipboard empty.
    void start();
    void stop();

    TMainForm* form() const { return FForm.get(); }

    template <typename T> T* widget(const QString& name) const
    {
        T* found = FForm->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    QLineEdit* memo(const QString& name) const;
    QLineEdit* dec() const { return memo("DecMemo"); }
    QLineEdit* hex() const { return memo("HexMemo"); }
    QLineEdit* bin() const { return memo("BinMemo"); }
    QTabWidget* pages() const;
    TSuperStringGrid* grid() const;
    QAbstractButton* button(const char* name) const;
    void trigger(const char* action);
    static QString clipboardText();

    bool editMenuEnabled() const;
    // Item 0 is 8 bits, 1 is 16 and 2 is 32.
    QRadioButton* widthItem(int item) const;

    static void click(QWidget* target);
    // A radio button answers clicks on its circle and caption.
    static void clickItem(QRadioButton* item);
    void selectWidth(int item);
    // Moves the focus out of the fields without changing anything.
    void leaveFields();
    // Enters the field with the mouse and types over its whole text.
    static void typeInto(QLineEdit* field, const QString& text);
    static void pasteInto(QLineEdit* field, const QString& text);
    void clickTab(int index);
    void clickCell(int col, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

private:
    std::unique_ptr<TMainForm> FForm;
};
