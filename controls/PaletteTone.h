#pragma once

#include <QColor>

// The colour `share` of the way from `from` to `to`, channel by channel
// (0 gives `from`, 1 gives `to`). A tone between a palette's text and its
// face keeps the same standing against the face on a light palette and on a
// dark one, which no single palette role does.
inline QColor toneBetween(const QColor& from, const QColor& to, qreal share)
{
    const auto mix = [share](qreal a, qreal b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(from.redF(), to.redF())),
                            static_cast<float>(mix(from.greenF(), to.greenF())),
                            static_cast<float>(mix(from.blueF(), to.blueF())),
                            static_cast<float>(mix(from.alphaF(), to.alphaF())));
}
