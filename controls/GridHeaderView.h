#pragma once

#include <QHeaderView>

#include <functional>
#include <vector>

// A grid header that draws the fixed cells of a string grid. One section
// stands for one scrolling column (or row) and is split across the header
// into one header cell per fixed row (or column), so a grid with several
// fixed rows still looks like a block of header cells that stays in place
// while the body scrolls.
class GridHeaderView : public QHeaderView
{
    Q_OBJECT
public:
    // cellText(section, sub) gives the text of sub-cell `sub` of `section`.
    using CellText = std::function<QString(int section, int sub)>;

    GridHeaderView(Qt::Orientation orientation, CellText cellText, QWidget* parent);

    // The sizes of the sub-cells across the header: the heights of the fixed
    // rows for the horizontal header, the widths of the fixed columns for the
    // vertical one. Their sum is the header's thickness.
    void setSubCellSizes(const std::vector<int>& sizes);
    const std::vector<int>& subCellSizes() const { return FSubCellSizes; }
    int thickness() const;

    QSize sizeHint() const override;

    // Draws one header cell as the style draws header sections.
    static void paintHeaderCell(QPainter* painter, const QWidget* widget,
                                Qt::Orientation orientation, const QRect& rect,
                                const QString& text);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    CellText FCellText;
    std::vector<int> FSubCellSizes;
};
