#pragma once

#include "bits/WordReading.h"
#include "bits/WordViews.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bit workbench between runs, in a file of its own beside the
// program's settings (~/.config/Qorvel Group/Zentrix Bit Workbench.conf), so
// that the main window's start-up and settings never see it: the word, its
// entry as typed, the operand and count, the copy form, whether the float
// view is on, the wildcard tab's fields, and the window's size and place. A
// value that does not read is left out, and the window starts with its own
// default for it.
struct TRememberedWorkbench
{
    BitWord word;
    InputForm form = InputForm::Hexadecimal;
    QString entry;
    QString operand;
    int count = 1;
    CopyForm copyForm = CopyForm::Hex;
    bool floatView = true;
    int page = 0;
    QStringList wildcard; // address, wildcard, address to test
    QByteArray geometry;
    QByteArray splitter;

    static QString storeFileName();
    static TRememberedWorkbench load();
    // Raises EZentrixError when the store cannot be written.
    void save() const;
};
