#include "app/Style.h"

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
