#include "controls/SpinButton.h"

#include "controls/ErrorReport.h"

#include <QAbstractButton>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// One half of the pair: a small bevelled button with an arrow.
class SpinButtonHalf : public QAbstractButton
{
public:
    SpinButtonHalf(Qt::ArrowType arrow, QWidget* parent) : QAbstractButton(parent), FArrow(arrow)
    {
        setFocusPolicy(Qt::NoFocus);
        setAutoRepeat(true);
        setAutoRepeatDelay(TSpinButton::RepeatDelay);
        setAutoRepeatInterval(TSpinButton::RepeatInterval);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        qDrawWinButton(&painter, rect(), palette(), isDown(), &palette().brush(QPalette::Button));
        paintArrow(painter);
    }

private:
    // A solid triangle in the button text colour, pixel by pixel so that it
    // stays crisp at this small size: the style's arrows are shaded for larger
    // buttons and fade into a dark face. Inside the 2-pixel bevel, it shifts
    // with the face when the half is pressed, as on a button.
    void paintArrow(QPainter& painter) const
    {
        const int shift = isDown() ? 1 : 0;
        const QRect inside = rect().adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);
        const int height = std::min(inside.height() - 1, (inside.width() + 1) / 4);
        if (height < 1)
            return;
        const int tipX = inside.left() + (inside.width() - 1) / 2;
        const int top = inside.top() + (inside.height() - height) / 2;
        const QColor colour = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                              QPalette::ButtonText);
        for (int row = 0; row < height; ++row) {
            const int half = FArrow == Qt::UpArrow ? row : height - 1 - row;
            painter.fillRect(QRect(tipX - half, top + row, 2 * half + 1, 1), colour);
        }
    }

    Qt::ArrowType FArrow;
};

} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), FUpButton(new SpinButtonHalf(Qt::UpArrow, this)),
      FDownButton(new SpinButtonHalf(Qt::DownArrow, this))
{
    setFocusPolicy(Qt::NoFocus);
    FUpButton->setAccessibleName(tr("Up"));
    FDownButton->setAccessibleName(tr("Down"));
    // The halves click from Qt's own handlers and repeat timers: a step that
    // fails is reported here.
    connect(FUpButton, &QAbstractButton::pressed, this, reporting(this, &TSpinButton::takeFocus));
    connect(FDownButton, &QAbstractButton::pressed, this, reporting(this, &TSpinButton::takeFocus));
    connect(FUpButton, &QAbstractButton::clicked, this, reporting([this] { emit upClick(); }));
    connect(FDownButton, &QAbstractButton::clicked, this, reporting([this] { emit downClick(); }));
    resize(sizeHint());
}

void TSpinButton::takeFocus()
{
    if (FFocusControl && FFocusControl->isEnabled() &&
        FFocusControl->focusPolicy() != Qt::NoFocus && !FFocusControl->hasFocus())
        FFocusControl->setFocus(Qt::OtherFocusReason);
}

void TSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int upHeight = height() / 2;
    FUpButton->setGeometry(0, 0, width(), upHeight);
    FDownButton->setGeometry(0, upHeight, width(), height() - upHeight);
}
