#include "planner/MapPicture.h"

#include "ipaddress/AddressText.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanTable.h"
#include "ipaddress/PlanText.h"

#include "controls/PaletteTone.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

constexpr int barHeight = 30;
constexpr int gapBelowBar = 10;
constexpr int captionGap = 3;
// How far from a block a press still picks it, for blocks thinner than a pixel.
constexpr int pickDistance = 3;

// The share of 2^hostBits that `offset` is.
double fractionOf(Uint128 offset, unsigned hostBits)
{
    const double value = std::ldexp(double(offset.hi), 64) + double(offset.lo);
    return std::ldexp(value, -int(hostBits));
}

Uint128 offsetAt(double fraction, unsigned hostBits)
{
    const double value = std::ldexp(std::clamp(fraction, 0.0, 1.0), int(hostBits));
    if (value >= std::ldexp(1.0, 128))
        return Uint128::max();
    const double high = std::floor(std::ldexp(value, -64));
    const double low = value - std::ldexp(high, 64);
    return {uint64_t(high), low >= std::ldexp(1.0, 64) ? ~uint64_t(0) : uint64_t(low)};
}

// The addresses of a block with these host bits; all of IPv6 wraps to 0,
// which xOf reads as the parent's end.
Uint128 blockSize(unsigned hostBits)
{
    return hostBits >= 128 ? Uint128() : Uint128::power(hostBits);
}

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Base).lightness() < 128;
}

} // namespace

void TMapPicture::setPlan(const PlanInput* input, const PlanResult* result)
{
    FInput = result ? input : nullptr;
    FResult = input ? result : nullptr;
}

int TMapPicture::rowHeight(int lineHeight)
{
    return lineHeight + captionGap + barHeight + gapBelowBar;
}

int TMapPicture::heightFor(int lineHeight) const
{
    const int parents = FResult ? int(FInput->parents.size()) : 0;
    return parents * rowHeight(lineHeight);
}

TMapPicture::Bar TMapPicture::barOf(const QRect& area, int lineHeight, size_t parent) const
{
    const int top = area.top() + int(parent) * rowHeight(lineHeight);
    return {QRect(area.left(), top, area.width(), lineHeight),
            QRect(area.left(), top + lineHeight + captionGap, area.width(), barHeight)};
}

std::pair<size_t, size_t> TMapPicture::blocksOf(size_t parent) const
{
    const auto& placed = FResult->placed;
    const auto first =
        std::lower_bound(placed.begin(), placed.end(), parent,
                         [](const PlacedBlock& block, size_t p) { return block.parent < p; });
    const auto last =
        std::lower_bound(first, placed.end(), parent + 1,
                         [](const PlacedBlock& block, size_t p) { return block.parent < p; });
    return {size_t(first - placed.begin()), size_t(last - placed.begin())};
}

int TMapPicture::xOf(const QRect& bar, size_t parent, Uint128 offset, bool end) const
{
    const CidrBlock& block = FInput->parents[parent];
    // The end of the whole parent is 2^hostBits, which may not fit in 128 bits.
    const double fraction = end && offset.isZero() ? 1.0 : fractionOf(offset, block.hostBits());
    return bar.left() + int(std::lround(fraction * bar.width()));
}

void TMapPicture::paint(QPainter& painter, const QRect& area, const QPalette& palette,
                        const QFont& font, int selected) const
{
    if (!FResult)
        return;
    painter.save();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height();
    const QColor text = palette.color(QPalette::WindowText);
    const QColor free = palette.color(QPalette::Base);
    const QColor frame = toneBetween(text, palette.color(QPalette::Window), 0.55);
    QRect selectedRect;
    for (size_t p = 0; p < FInput->parents.size(); ++p) {
        const Bar bar = barOf(area, lineHeight, p);
        const CidrBlock& parent = FInput->parents[p];
        const ParentUse& use = FResult->parents[p];
        painter.setPen(text);
        painter.drawText(
            bar.caption, Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("%1   %2 in use: %3 of %4 addresses")
                .arg(QString::fromStdString(cidrtext::networkText(parent)),
                     QString::fromStdString(plantable::percentText(use)),
                     QString::fromStdString(plantable::usedText(use, parent)),
                     QString::fromStdString(addresstext::powerOfTwoText(parent.hostBits()))));
        painter.fillRect(bar.bar, free);

        const auto [first, last] = blocksOf(p);
        const Uint128 start = parent.network();
        int drawnTo = bar.bar.left() - 1; // the last pixel column already drawn
        for (size_t i = first; i < last; ++i) {
            const PlacedBlock& block = FResult->placed[i];
            const int x0 = xOf(bar.bar, p, block.network - start);
            const Uint128 end =
                block.network - start + blockSize(addressBits(parent.family) - block.prefix);
            int x1 = std::max(xOf(bar.bar, p, end, true), x0 + 1);
            // A crowd of blocks thinner than a pixel is drawn once per column.
            if (x1 - 1 <= drawnTo)
                continue;
            const QRect segment(QPoint(std::max(x0, drawnTo + 1), bar.bar.top()),
                                QPoint(x1 - 1, bar.bar.bottom()));
            const QColor colour = blockColour(block.request, palette);
            painter.fillRect(segment, colour);
            if (segment.width() >= 4) {
                painter.setPen(toneBetween(colour, text, 0.45));
                painter.drawLine(segment.topRight(), segment.bottomRight());
                const QString name = QString::fromStdString(FInput->requests[block.request].name);
                const QString shown = metrics.elidedText(name, Qt::ElideRight, segment.width() - 6);
                if (!shown.isEmpty() && shown != QStringLiteral("…")) {
                    painter.setPen(colour.lightness() > 140 ? Qt::black : Qt::white);
                    painter.drawText(segment.adjusted(3, 0, -3, 0), Qt::AlignCenter, shown);
                }
            }
            drawnTo = x1 - 1;
            if (int(i) == selected)
                selectedRect = segment;
        }
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar.bar.adjusted(0, 0, -1, -1));
    }
    if (selected >= 0 && size_t(selected) < FResult->placed.size()) {
        if (selectedRect.isNull())
            selectedRect = blockRect(area, lineHeight, selected);
        // An outline in the highlight colour, and a mark under the bar that
        // shows where even a block of one pixel is.
        painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(selectedRect.adjusted(-1, -1, 0, 0));
        const int middle = selectedRect.center().x();
        const int below = selectedRect.bottom() + 2;
        const QPoint mark[] = {{middle, below}, {middle - 4, below + 6}, {middle + 4, below + 6}};
        painter.setBrush(palette.color(QPalette::Highlight));
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(mark, 3);
    }
    painter.restore();
}

int TMapPicture::parentAt(const QRect& area, int lineHeight, const QPoint& point) const
{
    if (!FResult)
        return -1;
    for (size_t p = 0; p < FInput->parents.size(); ++p)
        if (barOf(area, lineHeight, p).bar.adjusted(0, -2, 0, 2).contains(point))
            return int(p);
    return -1;
}

int TMapPicture::blockAt(const QRect& area, int lineHeight, const QPoint& point) const
{
    const int p = parentAt(area, lineHeight, point);
    if (p < 0)
        return -1;
    const QRect bar = barOf(area, lineHeight, size_t(p)).bar;
    const CidrBlock& parent = FInput->parents[size_t(p)];
    const Uint128 address =
        parent.network() +
        offsetAt(double(point.x() - bar.left()) / bar.width(), parent.hostBits());
    const auto [first, last] = blocksOf(size_t(p));
    const auto& placed = FResult->placed;
    // The last block starting at or before the address, and the one after it.
    const auto after =
        std::upper_bound(placed.begin() + long(first), placed.begin() + long(last), address,
                         [](Uint128 a, const PlacedBlock& block) { return a < block.network; });
    int best = -1;
    int bestDistance = pickDistance + 1;
    for (auto it = after == placed.begin() + long(first) ? after : after - 1;
         it != placed.begin() + long(last) && it <= after; ++it) {
        const QRect segment = blockRect(area, lineHeight, int(it - placed.begin()));
        const int distance = point.x() < segment.left()    ? segment.left() - point.x()
                             : point.x() > segment.right() ? point.x() - segment.right()
                                                           : 0;
        if (distance < bestDistance) {
            best = int(it - placed.begin());
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<CidrBlock> TMapPicture::freeAt(const QRect& area, int lineHeight,
                                             const QPoint& point) const
{
    const int p = parentAt(area, lineHeight, point);
    if (p < 0)
        return std::nullopt;
    const QRect bar = barOf(area, lineHeight, size_t(p)).bar;
    const CidrBlock& parent = FInput->parents[size_t(p)];
    const Uint128 address =
        parent.network() +
        offsetAt(double(point.x() - bar.left()) / bar.width(), parent.hostBits());
    const ParentUse& use = FResult->parents[size_t(p)];
    for (size_t f = use.freeBegin; f < use.freeEnd; ++f)
        if (FResult->free[f].contains(parent.family, address))
            return FResult->free[f];
    return std::nullopt;
}

QRect TMapPicture::blockRect(const QRect& area, int lineHeight, int placed) const
{
    const PlacedBlock& block = FResult->placed[size_t(placed)];
    const QRect bar = barOf(area, lineHeight, block.parent).bar;
    const CidrBlock& parent = FInput->parents[block.parent];
    const Uint128 offset = block.network - parent.network();
    const int x0 = xOf(bar, block.parent, offset);
    const Uint128 end = offset + blockSize(addressBits(parent.family) - block.prefix);
    const int x1 = std::max(xOf(bar, block.parent, end, true), x0 + 1);
    return QRect(QPoint(x0, bar.top()), QPoint(x1 - 1, bar.bottom()));
}

QString TMapPicture::describeBlock(int placed) const
{
    if (!FResult || placed < 0 || size_t(placed) >= FResult->placed.size())
        return {};
    const PlacedBlock& block = FResult->placed[size_t(placed)];
    const PlanRequest& request = FInput->requests[block.request];
    const CidrBlock cidr{FResult->family, block.network, block.prefix};
    return QStringLiteral("%1: %2 (%3 asked)")
        .arg(QString::fromStdString(request.name),
             QString::fromStdString(cidrtext::networkText(cidr)),
             QString::fromStdString(plantext::requestSizeText(request)));
}

QColor TMapPicture::blockColour(uint32_t request, const QPalette& palette)
{
    // Hues a golden angle apart: neighbours never look alike, however many.
    const double hue = std::fmod(request * 0.618033988749895, 1.0);
    return isDark(palette) ? QColor::fromHsvF(float(hue), 0.55f, 0.62f)
                           : QColor::fromHsvF(float(hue), 0.42f, 0.93f);
}
