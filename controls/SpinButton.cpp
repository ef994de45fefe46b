#include "controls/SpinButton.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

// One half of the pair: a small bevelled button with an arrow.
class SpinButtonHalf : public QAbstractButton
{
public:
    SpinButtonHalf(QStyle::PrimitiveElement arrow, QWidget* parent)
        : QAbstractButton(parent), FArrow(arrow)
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
        QStyleOption arrow;
        arrow.initFrom(this);
        // The arrow shifts with the face when the half is pressed, as on a button.
        const int shift = isDown() ? 1 : 0;
        arrow.rect = rect().adjusted(3 + shift, 2 + shift, -3 + shift, -2 + shift);
        style()->drawPrimitive(FArrow, &arrow, &painter, this);
    }

private:
    QStyle::PrimitiveElement FArrow;
};

} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), FUpButton(new SpinButtonHalf(QStyle::PE_IndicatorArrowUp, this)),
      FDownButton(new SpinButtonHalf(QStyle::PE_IndicatorArrowDown, this))
{
    setFocusPolicy(Qt::NoFocus);
    FUpButton->setAccessibleName(tr("Up"));
    FDownButton->setAccessibleName(tr("Down"));
    connect(FUpButton, &QAbstractButton::pressed, this, &TSpinButton::takeFocus);
    connect(FDownButton, &QAbstractButton::pressed, this, &TSpinButton::takeFocus);
    connect(FUpButton, &QAbstractButton::clicked, this, &TSpinButton::upClick);
    connect(FDownButton, &QAbstractButton::clicked, this, &TSpinButton::downClick);
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
