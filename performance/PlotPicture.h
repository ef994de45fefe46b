#pragma once

#include "path/PathPerformance.h"

#include <QString>

#include <optional>

class QFont;
class QPainter;
class QPalette;
class QRect;

// Against what the plot draws the rate of one flow.
enum class TPlotAxis
{
    Loss,      // loss rate, logarithmic
    RoundTrip, // round trip in milliseconds, logarithmic
};

// The picture of a path's limits that the plot shows, copies and saves: the
// bottleneck's goodput, the window limit and the Mathis curve against loss
// or round trip, on logarithmic axes, the rate one flow achieves (the
// smallest of them) drawn over them, and the path's own point marked. The
// same drawing serves the screen, PNG and SVG.
class TPlotPicture
{
public:
    // Nothing to draw until a path is given.
    void setPath(const TPathInput& input, const TPathResult& result);
    void clear(const QString& why);

    void paint(QPainter& painter, const QRect& area, const QPalette& palette, const QFont& font,
               TPlotAxis axis) const;
    // What the picture shows, in words, for assistive technology.
    QString describe(TPlotAxis axis) const;

    struct TRange
    {
        double Low;
        double High;
    };
    // The decades the axes span for this path.
    TRange xRange(TPlotAxis axis) const;
    TRange yRange(TPlotAxis axis) const;
    // The limits at a point of the axis, in Mbit/s; none where a limit does
    // not apply (no bandwidth, no round trip, no loss).
    struct TLimits
    {
        std::optional<double> Goodput;
        std::optional<double> Window;
        std::optional<double> Loss;
        std::optional<double> achievable() const;
    };
    TLimits limitsAt(TPlotAxis axis, double x) const;

private:
    std::optional<TPathInput> FInput;
    std::optional<TPathResult> FResult;
    QString FWhy;
};
