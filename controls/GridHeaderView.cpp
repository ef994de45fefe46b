#include "controls/GridHeaderView.h"

#include <QPainter>
#include <QStyleOptionHeader>

#include <numeric>
#include <utility>

GridHeaderView::GridHeaderView(Qt::Orientation orientation, CellText cellText, QWidget* parent)
    : QHeaderView(orientation, parent), FCellText(std::move(cellText))
{
}

void GridHeaderView::setSubCellSizes(const std::vector<int>& sizes)
{
    if (sizes == FSubCellSizes)
        return;
    FSubCellSizes = sizes;
    updateGeometry();
    viewport()->update();
}

int GridHeaderView::thickness() const
{
    return std::accumulate(FSubCellSizes.begin(), FSubCellSizes.end(), 0);
}

QSize GridHeaderView::sizeHint() const
{
    // The base class measures section texts, which would both be wrong for
    // stacked cells and cost time over thousands of rows.
    if (orientation() == Qt::Horizontal)
        return QSize(length(), thickness());
    return QSize(thickness(), length());
}

void GridHeaderView::paintHeaderCell(QPainter* painter, const QWidget* widget,
                                     Qt::Orientation orientation, const QRect& rect,
                                     const QString& text)
{
    QStyleOptionHeader opt;
    opt.initFrom(widget);
    opt.rect = rect;
    opt.orientation = orientation;
    opt.text = text;
    opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    opt.position = QStyleOptionHeader::Middle;
    opt.state |= QStyle::State_Raised;
    if (orientation == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    widget->style()->drawControl(QStyle::CE_Header, &opt, painter, widget);
}

void GridHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    painter->save();
    int offset = 0;
    for (size_t sub = 0; sub < FSubCellSizes.size(); ++sub) {
        const int size = FSubCellSizes[sub];
        const QRect cell = orientation() == Qt::Horizontal
                               ? QRect(rect.left(), rect.top() + offset, rect.width(), size)
                               : QRect(rect.left() + offset, rect.top(), size, rect.height());
        paintHeaderCell(painter, this, orientation(), cell,
                        FCellText(logicalIndex, static_cast<int>(sub)));
        offset += size;
    }
    painter->restore();
}
