#pragma once

#include <QProxyStyle>

// The platform's style, made as compact as the fixed 292-pixel window needs:
// the four subnet tabs must fit side by side without scroll arrows.
class TZentrixStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
