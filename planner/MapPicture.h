#pragma once

#include "ipaddress/AddressPlan.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>

class QFont;
class QPainter;
class QPalette;

// The picture of a plan that the map shows, copies and saves: one bar per
// parent under a caption with its share in use, each placed block a
// coloured segment at its place in the parent's addresses, the free space
// left light. The same drawing serves the screen, PNG and SVG, so a saved
// picture is what the window showed.
class TMapPicture
{
public:
    void setPlan(const PlanInput* input, const PlanResult* result);
    bool hasPlan() const { return FResult != nullptr; }
    const PlanResult* result() const { return FResult; }
    const PlanInput* input() const { return FInput; }

    // The height the bars take at this line height (the font's), and the
    // height of one parent's caption and bar.
    int heightFor(int lineHeight) const;
    static int rowHeight(int lineHeight);

    // `selected` is a placed block to outline, or -1.
    void paint(QPainter& painter, const QRect& area, const QPalette& palette, const QFont& font,
               int selected) const;

    // The placed block under the point, or -1: the nearest one within a
    // few pixels, so that a block thinner than a pixel can still be hit.
    int blockAt(const QRect& area, int lineHeight, const QPoint& point) const;
    // The free block under the point.
    std::optional<CidrBlock> freeAt(const QRect& area, int lineHeight, const QPoint& point) const;
    // Where the block's segment is drawn; at least one pixel wide.
    QRect blockRect(const QRect& area, int lineHeight, int placed) const;

    // "sales: 10.20.0.0/25 (100 hosts asked)".
    QString describeBlock(int placed) const;

    // Each request keeps its colour wherever its block goes.
    static QColor blockColour(uint32_t request, const QPalette& palette);

private:
    struct Bar
    {
        QRect caption;
        QRect bar;
    };
    Bar barOf(const QRect& area, int lineHeight, size_t parent) const;
    int parentAt(const QRect& area, int lineHeight, const QPoint& point) const;
    // The placed blocks of a parent: [first, last).
    std::pair<size_t, size_t> blocksOf(size_t parent) const;
    // Pixel edges of a range of the parent's addresses within its bar.
    int xOf(const QRect& bar, size_t parent, Uint128 offset, bool end = false) const;

    const PlanInput* FInput = nullptr;
    const PlanResult* FResult = nullptr;
};
