#pragma once

#include "controls/CalcView.h"

#include <QMetaObject>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QAbstractButton;
class QButtonGroup;
class TNumberMemo;

namespace Ui {
class TRadixorCalc;
}

// The number-base calculator: decimal, hexadecimal and binary as you type,
// within a width of 8, 16 or 32 bits, and a lookup table of 0 to 255.
class TRadixorCalc : public TCalcView
{
    Q_OBJECT
public:
    explicit TRadixorCalc(QWidget* parent = nullptr);
    ~TRadixorCalc() override;

    QTabWidget* pageControl() const override;
    void pageEntered(QWidget* page) override;
    void pageLeaving(QWidget* page) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One number field and everything in which the three bases differ.
    struct TNumberField
    {
        TNumberMemo* Memo = nullptr;
        QAbstractButton* ClipboardButton = nullptr;
        // DecMemoChange, HexMemoChange or BinMemoChange.
        void (TRadixorCalc::*Change)() = nullptr;
        // The characters typed into the field besides control characters.
        bool (*IsDigit)(char) = nullptr;
        // The value of a text without separators. Decimal text that is no
        // 32-bit number raises.
        int32_t (*Read)(const std::string& digits) = nullptr;
        // A value's digits at a number width, without separators.
        std::string (*Plain)(int32_t value, int numberWidth) = nullptr;
        // Digits with the field's separators put in.
        std::string (*Group)(const std::string& digits) = nullptr;
        // Detaching the change handler drops exactly this connection, so the
        // field's own bookkeeping keeps running.
        QMetaObject::Connection ChangeConnection;
    };

    void DecMemoChange();
    void HexMemoChange();
    void BinMemoChange();
    void NumMemoEnter(TNumberField& field);
    void NumMemoExit(TNumberField& field);
    // Returns false when the key is to be discarded; may change the key.
    bool NumMemoKeyPress(const TNumberField& field, char& key) const;
    // Returns false when the key is to be discarded.
    bool NumMemoKeyDown(const QKeyEvent* event) const;
    // Passes a typed key on as the key filter leaves it; true when the key
    // has been dealt with here (discarded or sent on rewritten).
    bool filterTypedKey(TNumberField& field, QKeyEvent* event);
    void NumberWidthGroupClick(int itemIndex);
    void ClearButtonClick();
    void InvertButtonClick();
    void NumClipboardButtonClick();
    void CopyLookupTableButtonClick();

    // The conversion as the user types into `source`.
    void memoChange(TNumberField& source);
    // The text a field shows for a value at the current width: grouped.
    std::string shownForm(const TNumberField& field, int32_t value) const;
    // The same without grouping: what a refused entry reverts to.
    std::string plainForm(const TNumberField& field, int32_t value) const;
    // The field of a number memo; nothing for any other object.
    TNumberField* fieldOf(const QObject* object);
    TNumberField* focusedField();

    void attachChangeHandler(TNumberField& field);
    void detachChangeHandler(TNumberField& field);
    // Writes a field's text without converting it back.
    void writeDetached(TNumberField& field, const std::string& text);
    // Writes a field's text as the user would, converting it.
    static void writeAttached(TNumberField& field, const std::string& text);

    std::unique_ptr<Ui::TRadixorCalc> ui;
    QButtonGroup* FNumberWidthItems;
    // Decimal, hexadecimal, binary: the order in which a change writes the
    // other two.
    std::array<TNumberField, 3> FFields;
    // A key event rewritten by the key filter passes it untouched.
    bool FResendingKey = false;

    uint8_t FNumberWidth = 16;
    int32_t FMaxValue = 65535;
    int32_t FLastValue = 0;
    int32_t FValue = 0;
};
