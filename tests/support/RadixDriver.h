#pragma once

#include "tests/support/WindowDriver.h"

#include <QString>

class QLineEdit;
class QRadioButton;
class QTabWidget;
class TSuperStringGrid;

// The number-base calculator's steps on the window driver: its fields, the
// width items and the lookup table.
class RadixDriver : public virtual WindowDriver
{
public:
    QLineEdit* memo(const QString& name) const;
    QLineEdit* dec() const { return memo("DecMemo"); }
    QLineEdit* hex() const { return memo("HexMemo"); }
    QLineEdit* bin() const { return memo("BinMemo"); }
    QTabWidget* pages() const;
    TSuperStringGrid* lookupGrid() const;

    // Item 0 is 8 bits, 1 is 16 and 2 is 32.
    QRadioButton* widthItem(int item) const;
    void selectWidth(int item);
    // Moves the focus out of the fields without changing anything.
    void leaveFields();
};
