#include "performance/PlotPicture.h"

#include "path/PathRecords.h"

#include "controls/PaletteTone.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

constexpr int samples = 240;
constexpr int maxDecades = 8;

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

// The three limits in hues that keep apart on a light face and on a dark one.
struct TColours
{
    QColor Goodput;
    QColor Window;
    QColor Loss;
    QColor Achievable;
    QColor Grid;
    QColor Text;
};

TColours coloursOf(const QPalette& palette)
{
    const bool dark = isDark(palette);
    const QColor text = palette.color(QPalette::Text);
    return {dark ? QColor(116, 196, 118) : QColor(35, 139, 69),
            dark ? QColor(107, 174, 214) : QColor(33, 113, 181),
            dark ? QColor(253, 141, 60) : QColor(217, 72, 1),
            toneBetween(palette.color(QPalette::Base), text, 0.75),
            toneBetween(palette.color(QPalette::Base), text, 0.15),
            text};
}

double decadeFloor(double value)
{
    return std::pow(10.0, std::floor(std::log10(value) + 1e-9));
}

double decadeCeil(double value)
{
    return std::pow(10.0, std::ceil(std::log10(value) - 1e-9));
}

// A decade as an axis writes it: "0.01", "1", "1,000"; loss as "1e-5".
QString decadeText(double value, bool scientific)
{
    const int exponent = int(std::lround(std::log10(value)));
    if (scientific)
        return exponent == 0 ? QStringLiteral("1") : QStringLiteral("1e%1").arg(exponent);
    if (exponent < 0)
        return QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + QLatin1Char('1');
    TFigure figure("");
    figure.set(value);
    return QString::fromStdString(figureText(figure));
}

// Where a value falls on a logarithmic axis between low and high.
double logShare(double value, const TPlotPicture::TRange& range)
{
    return (std::log10(value) - std::log10(range.Low)) /
           (std::log10(range.High) - std::log10(range.Low));
}

} // namespace

std::optional<double> TPlotPicture::TLimits::achievable() const
{
    std::optional<double> least;
    for (const std::optional<double>& limit : {Goodput, Window, Loss})
        if (limit && (!least || *limit < *least))
            least = limit;
    return least;
}

void TPlotPicture::setPath(const TPathInput& input, const TPathResult& result)
{
    FInput = input;
    FResult = result;
    FWhy.clear();
}

void TPlotPicture::clear(const QString& why)
{
    FInput.reset();
    FResult.reset();
    FWhy = why;
}

TPlotPicture::TLimits TPlotPicture::limitsAt(TPlotAxis axis, double x) const
{
    TLimits limits;
    if (!FInput || !FResult)
        return limits;
    const TPathInput& input = *FInput;
    const TPathResult& result = *FResult;
    if (result.Goodput.Known)
        limits.Goodput = result.Goodput.Value;
    const double rtt = axis == TPlotAxis::RoundTrip ? x : input.RoundTripMs;
    const double loss = axis == TPlotAxis::Loss ? x : input.LossRate;
    if (rtt > 0) {
        limits.Window = windowLimitMbps(uint64_t(result.WindowInUse.Value), rtt);
        if (loss > 0)
            limits.Loss = mathisLimitMbps(int(result.SegmentPayload.Value), rtt, loss);
    }
    return limits;
}

TPlotPicture::TRange TPlotPicture::xRange(TPlotAxis axis) const
{
    if (axis == TPlotAxis::Loss) {
        const double loss = FInput ? FInput->LossRate : 0;
        TRange range{1e-7, 1e-1};
        if (loss > 0) {
            range.Low = std::min(range.Low, decadeFloor(loss));
            range.High = std::max(range.High, std::min(1.0, decadeCeil(loss)));
        }
        if (range.High <= range.Low)
            range.Low = range.High / 10;
        return range;
    }
    const double rtt = FInput ? FInput->RoundTripMs : 0;
    if (!(rtt > 0))
        return {0.1, 1000};
    return {std::max(1e-3, decadeFloor(rtt / 100)), std::min(1e7, decadeCeil(rtt * 100))};
}

TPlotPicture::TRange TPlotPicture::yRange(TPlotAxis axis) const
{
    const TRange x = xRange(axis);
    double low = 0;
    double high = 0;
    for (int i = 0; i <= samples; ++i) {
        const double at = x.Low * std::pow(x.High / x.Low, double(i) / samples);
        const TLimits limits = limitsAt(axis, at);
        for (const std::optional<double>& limit : {limits.Goodput, limits.Window, limits.Loss}) {
            if (!limit || !(*limit > 0) || !std::isfinite(*limit))
                continue;
            low = low == 0 ? *limit : std::min(low, *limit);
            high = std::max(high, *limit);
        }
    }
    if (high == 0)
        return {1, 1000};
    TRange range{decadeFloor(low), decadeCeil(high)};
    if (range.High <= range.Low)
        range = {range.Low / 10, range.High * 10};
    range.Low = std::max(range.Low, range.High / std::pow(10.0, maxDecades));
    return range;
}

void TPlotPicture::paint(QPainter& painter, const QRect& area, const QPalette& palette,
                         const QFont& font, TPlotAxis axis) const
{
    const TColours colours = coloursOf(palette);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.fillRect(area, palette.color(QPalette::Base));
    const QFontMetrics metrics(font);
    const int line = metrics.height();

    // Without a bandwidth or a round trip no limit is known anywhere.
    const bool limited = FResult && (FResult->Goodput.Known || FInput->RoundTripMs > 0);
    if (!limited) {
        QString why = FWhy.isEmpty() ? QStringLiteral("No figures to draw") : FWhy;
        if (FResult)
            why = QStringLiteral("Give a bandwidth or a round trip to see the limits.");
        painter.setPen(palette.color(QPalette::PlaceholderText));
        painter.drawText(area.adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, why);
        painter.restore();
        return;
    }

    const TRange x = xRange(axis);
    const TRange y = yRange(axis);
    const bool lossAxis = axis == TPlotAxis::Loss;
    int labelWidth = 0;
    for (double at = y.Low; at <= y.High * 1.001; at *= 10)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(decadeText(at, false)));
    // The last label of the x axis is centred on the plot's right edge.
    const int rightLabel = metrics.horizontalAdvance(decadeText(x.High, lossAxis));
    const QRect plot = area.adjusted(labelWidth + 12, 2 * line + 10,
                                     -std::max(16, rightLabel / 2 + 6), -(2 * line + 12));
    if (plot.width() < 40 || plot.height() < 40) {
        painter.restore();
        return;
    }
    const auto xOf = [&](double value) { return plot.left() + logShare(value, x) * plot.width(); };
    const auto yOf = [&](double value) {
        return plot.bottom() - logShare(value, y) * plot.height();
    };

    // The decades, as a grid and as labels.
    painter.setPen(QPen(colours.Grid, 1));
    for (double at = x.Low; at <= x.High * 1.001; at *= 10)
        painter.drawLine(QPointF(xOf(at), plot.top()), QPointF(xOf(at), plot.bottom()));
    for (double at = y.Low; at <= y.High * 1.001; at *= 10)
        painter.drawLine(QPointF(plot.left(), yOf(at)), QPointF(plot.right(), yOf(at)));
    painter.setPen(colours.Text);
    painter.drawRect(plot);
    for (double at = x.Low; at <= x.High * 1.001; at *= 10) {
        const QString text = decadeText(at, lossAxis);
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QPointF(xOf(at) - width / 2.0, plot.bottom() + line + 2), text);
    }
    for (double at = y.Low; at <= y.High * 1.001; at *= 10) {
        const QString text = decadeText(at, false);
        painter.drawText(QPointF(plot.left() - 6 - metrics.horizontalAdvance(text),
                                 yOf(at) + metrics.ascent() / 2.0 - 1),
                         text);
    }
    painter.drawText(QRect(plot.left(), plot.bottom() + line + 4, plot.width(), line + 4),
                     Qt::AlignHCenter,
                     lossAxis ? QStringLiteral("Loss rate") : QStringLiteral("Round trip (ms)"));
    painter.drawText(QPointF(area.left() + 4, plot.top() - 6), QStringLiteral("Mbit/s"));

    // Each limit, then the rate one flow achieves over them.
    const auto curve = [&](auto pick) {
        QPainterPath path;
        bool drawing = false;
        for (int i = 0; i <= samples; ++i) {
            const double at = x.Low * std::pow(x.High / x.Low, double(i) / samples);
            const std::optional<double> value = pick(limitsAt(axis, at));
            if (!value || !(*value > 0)) {
                drawing = false;
                continue;
            }
            const QPointF point(xOf(at), yOf(std::clamp(*value, y.Low / 2, y.High * 2)));
            if (drawing)
                path.lineTo(point);
            else
                path.moveTo(point);
            drawing = true;
        }
        return path;
    };
    painter.save();
    painter.setClipRect(plot.adjusted(0, -2, 0, 2));
    painter.setBrush(Qt::NoBrush);
    QColor achievable = colours.Achievable;
    achievable.setAlphaF(0.35f);
    painter.setPen(QPen(achievable, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(curve([](const TLimits& l) { return l.achievable(); }));
    painter.setPen(QPen(colours.Goodput, 2));
    painter.drawPath(curve([](const TLimits& l) { return l.Goodput; }));
    painter.setPen(QPen(colours.Window, 2));
    painter.drawPath(curve([](const TLimits& l) { return l.Window; }));
    painter.setPen(QPen(colours.Loss, 2, Qt::DashLine));
    painter.drawPath(curve([](const TLimits& l) { return l.Loss; }));
    painter.restore();

    // The path's own point: its rate at its loss (at the axis's start when
    // it has none) or at its round trip.
    const double here = lossAxis ? FInput->LossRate : FInput->RoundTripMs;
    const std::optional<double> rate = limitsAt(axis, here > 0 ? here : x.Low).achievable();
    if (rate && *rate > 0) {
        const QPointF point(xOf(here > 0 ? std::clamp(here, x.Low, x.High) : x.Low),
                            yOf(std::clamp(*rate, y.Low, y.High)));
        painter.setPen(QPen(colours.Text, 1.5));
        painter.setBrush(palette.color(QPalette::Highlight));
        painter.drawEllipse(point, 5, 5);
        if (here <= 0)
            painter.drawText(point + QPointF(8, -6), lossAxis ? QStringLiteral("no loss")
                                                              : QStringLiteral("no round trip"));
    }

    // The legend, above the plot.
    const struct
    {
        QColor Colour;
        Qt::PenStyle Style;
        int Width;
        QString Text;
    } keys[] = {{colours.Goodput, Qt::SolidLine, 2, QStringLiteral("Bottleneck goodput")},
                {colours.Window, Qt::SolidLine, 2, QStringLiteral("Window limit")},
                {colours.Loss, Qt::DashLine, 2, QStringLiteral("Loss limit (Mathis)")},
                {achievable, Qt::SolidLine, 7, QStringLiteral("Achievable, one flow")}};
    double left = plot.left();
    const double middle = area.top() + 4 + line / 2.0;
    for (const auto& key : keys) {
        painter.setPen(QPen(key.Colour, key.Width, key.Style, Qt::FlatCap));
        painter.drawLine(QPointF(left, middle), QPointF(left + 22, middle));
        painter.setPen(colours.Text);
        painter.drawText(QPointF(left + 28, middle + metrics.ascent() / 2.0 - 1), key.Text);
        left += 28 + metrics.horizontalAdvance(key.Text) + 18;
    }
    painter.restore();
}

QString TPlotPicture::describe(TPlotAxis axis) const
{
    if (!FInput || !FResult)
        return FWhy.isEmpty() ? QStringLiteral("No figures to draw") : FWhy;
    const QString against =
        axis == TPlotAxis::Loss ? QStringLiteral("loss rate") : QStringLiteral("round trip");
    if (!FResult->Achievable.Known)
        return QStringLiteral("Rate against %1: %2")
            .arg(against, QString::fromStdString(FResult->Achievable.Missing));
    return QStringLiteral("Rate against %1: one flow achieves %2 Mbit/s, the %3 binds")
        .arg(against, QString::fromStdString(figureText(FResult->Achievable)),
             QString::fromUtf8(rateLimitName(FResult->Binding)));
}
