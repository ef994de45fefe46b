#include "app/Style.h"

#include "controls/PaletteTone.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace {

// A fresh copy of the style the desktop chose. A desktop style that is
// itself a proxy of another (a platform theme's may be) keeps answering its
// inner style's calls on its own and would never ask ours for metrics or
// indicators, so the innermost style is the one taken.
QStyle* desktopStyle()
{
    const QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        style = proxy->baseStyle();
    return style ? QStyleFactory::create(style->name()) : nullptr;
}

// An indicator's ring and well come from the palette. Styles shade the ring
// from the window colour, which on a dark window leaves it dark on dark;
// halfway between the window text and the window it stands out as much on
// either. The painter is left antialiased, with the ring as pen and the well
// as brush, for the caller to draw the shape; it returns the indicator's
// square, centred in the option's rectangle.
QRectF startIndicator(const QStyleOption* option, QPainter* painter)
{
    const QPalette& palette = option->palette;
    const QStyle::State state = option->state;
    const QColor text = palette.color(QPalette::WindowText);
    const bool keyboardFocus =
        state.testFlag(QStyle::State_HasFocus) && state.testFlag(QStyle::State_KeyboardFocusChange);
    const QColor ring = keyboardFocus ? palette.color(QPalette::Highlight)
                                      : toneBetween(text, palette.color(QPalette::Window), 0.5);
    const QColor well = state.testFlag(QStyle::State_Sunken)
                            ? toneBetween(palette.color(QPalette::Base), text, 0.15)
                            : palette.color(QPalette::Base);

    const int side = std::min(option->rect.width(), option->rect.height());
    QRectF square(0, 0, side - 1, side - 1);
    square.moveCenter(QRectF(option->rect).center());

    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(ring, 1.0));
    painter->setBrush(well);
    return square;
}

// A radio button's circle, with a dot in the text colour when it is on.
void drawRadioIndicator(const QStyleOption* option, QPainter* painter)
{
    painter->save();
    const QRectF circle = startIndicator(option, painter);
    painter->drawEllipse(circle);
    if (option->state.testFlag(QStyle::State_On)) {
        const qreal radius = circle.width() * 0.2;
        painter->setPen(Qt::NoPen);
        painter->setBrush(option->palette.color(QPalette::Text));
        painter->drawEllipse(circle.center(), radius, radius);
    }
    painter->restore();
}

// A check box's square likewise, and the tick in the text colour, so an
// unchecked box shows on a dark window too.
void drawCheckIndicator(const QStyleOption* option, QPainter* painter)
{
    painter->save();
    const QRectF square = startIndicator(option, painter);
    painter->drawRect(square.adjusted(0.5, 0.5, -0.5, -0.5));
    if (option->state.testFlag(QStyle::State_On)) {
        const qreal s = square.width();
        const QPointF tick[] = {square.topLeft() + QPointF(s * 0.22, s * 0.52),
                                square.topLeft() + QPointF(s * 0.42, s * 0.72),
                                square.topLeft() + QPointF(s * 0.78, s * 0.28)};
        painter->setPen(QPen(option->palette.color(QPalette::Text), std::max(1.5, s * 0.14),
                             Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPolyline(tick, 3);
    }
    painter->restore();
}

// The drop-down button of a combo box, as narrow as the classic one: the
// layout's 121-pixel boxes then hold their longest entry, "<Unknown Network>".
constexpr int comboArrowWidth = 11;

} // namespace

TZentrixStyle::TZentrixStyle() : QProxyStyle(desktopStyle()) {}

int TZentrixStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const
{
    switch (metric) {
    case PM_TabBarTabHSpace:
        return 12;
    case PM_TabBarTabVSpace:
        return 6;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void TZentrixStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    if (element == PE_IndicatorRadioButton)
        drawRadioIndicator(option, painter);
    else if (element == PE_IndicatorCheckBox && !option->state.testFlag(State_NoChange))
        drawCheckIndicator(option, painter);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QRect TZentrixStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                    SubControl subControl, const QWidget* widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control != CC_ComboBox ||
        (subControl != SC_ComboBoxArrow && subControl != SC_ComboBoxEditField))
        return rect;
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    const int spare = arrow.width() - comboArrowWidth;
    if (spare <= 0)
        return rect;
    if (subControl == SC_ComboBoxArrow)
        rect.setLeft(rect.left() + spare);
    else
        rect.setRight(rect.right() + spare);
    return rect;
}
