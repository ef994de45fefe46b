#pragma once

#include "controls/CalcView.h"

#include <QMetaObject>
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

    // The panel's controls are made when they are first needed, not with
    // the window: the calculator is hidden at start, and making its tables
    // and fields then would only slow the window's first appearance.
    void ensureBuilt();
    bool isBuilt() const override { return FBuilt; }

    QTabWidget* pageControl() const override;
    void pageEntered(QWidget* page) override;
    void pageLeaving(QWidget* page) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DecMemoChange();
    void HexMemoChange();
    void BinMemoChange();
    void NumMemoEnter(TNumberMemo* memo);
    void NumMemoExit(TNumberMemo* memo);
    // Returns false when the key is to be discarded; may change the key.
    bool NumMemoKeyPress(TNumberMemo* memo, char& key) const;
    // Returns false when the key is to be discarded.
    bool NumMemoKeyDown(const QKeyEvent* event) const;
    void NumberWidthGroupClick(int itemIndex);
    void ClearButtonClick();
    void InvertButtonClick();
    void NumClipboardButtonClick();
    void CopyLookupTableButtonClick();

    enum class TBase
    {
        Dec,
        Hex,
        Bin
    };

    // The conversion as the user types into `source`.
    void memoChange(TNumberMemo* source);
    // Raises for decimal text that is no number; sets outOfRange for a
    // decimal number beyond 32 bits.
    int32_t readValue(TNumberMemo* memo, const std::string& text, bool& outOfRange) const;
    // The text a field shows for a value at the current width: grouped.
    std::string shownForm(TBase base, int32_t value) const;
    // The same without grouping: what a refused entry reverts to.
    std::string plainForm(TBase base, int32_t value) const;
    TBase baseOf(const TNumberMemo* memo) const;
    TNumberMemo* memoOf(TBase base) const;
    QAbstractButton* clipboardButtonOf(const TNumberMemo* memo) const;
    bool isNumberMemo(const QObject* object) const;
    TNumberMemo* focusedMemo() const;

    // Detaching a field's change handler means dropping exactly this
    // connection, so the field's own bookkeeping keeps running.
    void attachChangeHandler(TNumberMemo* memo);
    void detachChangeHandler(TNumberMemo* memo);
    QMetaObject::Connection& changeConnection(const TNumberMemo* memo);
    // Writes a field's text without converting it back.
    void writeDetached(TNumberMemo* memo, const std::string& text);
    // Writes a field's text as the user would, converting it.
    void writeAttached(TNumberMemo* memo, const std::string& text);

    void fillLookupTable();

    std::unique_ptr<Ui::TRadixorCalc> ui;
    QButtonGroup* FNumberWidthItems;
    QMetaObject::Connection FDecChange;
    QMetaObject::Connection FHexChange;
    QMetaObject::Connection FBinChange;
    // A key event rewritten by the key filter passes it untouched.
    bool FResendingKey = false;
    bool FBuilt = false;

    uint8_t FNumberWidth = 16;
    int32_t FMaxValue = 65535;
    int32_t FLastValue = 0;
    int32_t FValue = 0;
};
