#pragma once

#include <QLineEdit>

class TSpinButton;

// A one-line numeric entry with an up/down button pair, holding a 32-bit
// signed Value within MinValue..MaxValue (equal limits mean no limit).
//
// The committed Value is kept apart from the text: typing changes only the
// text, which is committed on Enter, on leaving the control and at the start
// of every step. changed() fires only when the committed value changes, never
// per keystroke. Only digits and the minus sign can be typed. Up/Down and the
// button halves step by Increment, Page Up/Page Down by FastIncrement, and
// every step is framed by a signal before it and one after it.
class TBetterSpinEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY changed)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int FastIncrement READ FastIncrement WRITE setFastIncrement)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE setEditorEnabled)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)

public:
    static constexpr int MinimumWidth = 33;

    explicit TBetterSpinEdit(QWidget* parent = nullptr);

    int Value() const { return FValue; }
    // Clamps to the limits, stores, fires changed() if the value moved (the
    // text still shows the old value then), and always rewrites the text.
    void setValue(int value);
    int MinValue() const { return FMinValue; }
    void setMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void setMaxValue(int value);

    int Increment() const { return FIncrement; }
    void setIncrement(int step) { FIncrement = step; }
    int FastIncrement() const { return FFastIncrement; }
    void setFastIncrement(int step) { FFastIncrement = step; }
    // When false the text cannot be typed, pasted or cut; steps still work.
    bool EditorEnabled() const { return FEditorEnabled; }
    void setEditorEnabled(bool enabled) { FEditorEnabled = enabled; }
    // Select all text when the focus arrives other than by a click inside.
    bool AutoSelect() const { return FAutoSelect; }
    void setAutoSelect(bool on) { FAutoSelect = on; }

    TSpinButton* SpinButton() const { return FSpinButton; }

    // The value the current text stands for: the stored Value for an empty
    // text; otherwise the text with every minus sign after the first
    // character removed, read as a 32-bit decimal integer; text that does
    // not read so, a number beyond the 32-bit range included, gives 0.
    int ParseText() const;
    // The typing filter: digits, "-", and control characters other than CR;
    // with the editor disabled only control characters other than backspace.
    virtual bool IsValidChar(QChar ch) const;

    virtual void UpClick();
    virtual void DownClick();
    void FastStepUp();
    void FastStepDown();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed();
    void upClicking();
    void upClicked();
    void downClicking();
    void downClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void step(int amount, bool up);
    void commitText();
    bool canChangeText() const { return FEditorEnabled && !isReadOnly(); }
    int minimumHeightForFont() const;
    void layoutSpinButton();

    TSpinButton* FSpinButton;
    bool FEditorEnabled = true;
    bool FAutoSelect = true;
    int FFastIncrement = 10;
    int FIncrement = 1;
    int FMinValue = 0;
    int FMaxValue = 0;
    int FValue = 0;
};
