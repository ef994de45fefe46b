#pragma once

#include <QProxyStyle>

// The platform's style, made as compact as the fixed 292-pixel window needs
// (the four subnet tabs must fit side by side without scroll arrows), with
// radio and check box indicators drawn from the palette so that they show
// on a dark desktop as on a light one.
class TZentrixStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Over the desktop's own style (see desktopStyle in Style.cpp).
    TZentrixStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
};
