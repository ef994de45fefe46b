#pragma once

#include <QWidget>

class QAbstractButton;

// The up/down button pair at the right edge of a spin edit: the upper half
// steps up, the lower half down. A click acts when the mouse button is
// released over the half; a half held down repeats, first after 400 ms, then
// every 100 ms, while the mouse stays over it. Pressing a half gives the
// keyboard focus to the focus control (the spin edit), since the halves
// themselves never take it.
class TSpinButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RepeatDelay = 400;
    static constexpr int RepeatInterval = 100;

    explicit TSpinButton(QWidget* parent = nullptr);

    QAbstractButton* upButton() const { return FUpButton; }
    QAbstractButton* downButton() const { return FDownButton; }

    QWidget* focusControl() const { return FFocusControl; }
    void setFocusControl(QWidget* control) { FFocusControl = control; }

    QSize sizeHint() const override { return QSize(15, 17); }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeFocus();

    QAbstractButton* FUpButton;
    QAbstractButton* FDownButton;
    QWidget* FFocusControl = nullptr;
};
