#include "controls/SuperStringGrid.h"

#include "controls/GridHeaderView.h"
#include "controls/StringGridModel.h"
#include "controls/WaitCursorGuard.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <climits>

TSuperStringGrid::TSuperStringGrid(QWidget* parent)
    : QTableView(parent), FModel(new StringGridModel(this)), FOptions(goGridLines | goRangeSelect),
      FCopyMode(cmFixedCols | cmFixedRows)
{
    FColumnHeader = new GridHeaderView(
        Qt::Horizontal,
        [this](int section, int sub) { return FModel->cell(section + FModel->fixedCols(), sub); },
        this);
    FRowHeader = new GridHeaderView(
        Qt::Vertical,
        [this](int section, int sub) { return FModel->cell(sub, section + FModel->fixedRows()); },
        this);
    for (GridHeaderView* header : {FColumnHeader, FRowHeader}) {
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setMinimumSectionSize(0);
    }
    FRowHeader->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalHeader(FColumnHeader);
    setVerticalHeader(FRowHeader);
    setModel(FModel);

    // The corner shows the cells that are both in a fixed row and a fixed
    // column; it is the view's own corner button, painted by us.
    FCorner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (FCorner)
        FCorner->installEventFilter(this);
    setCornerButtonEnabled(false);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionBehavior(QAbstractItemView::SelectItems);

    connect(FColumnHeader, &QHeaderView::sectionResized, this,
            &TSuperStringGrid::columnResizedByHeader);
    connect(FModel, &StringGridModel::modelReset, this, [this] {
        applyColumnWidths();
        ensureCurrentCell();
    });
    connect(FModel, &StringGridModel::rowsRemoved, this, &TSuperStringGrid::ensureCurrentCell);
    connect(FModel, &StringGridModel::columnsRemoved, this, &TSuperStringGrid::ensureCurrentCell);
    connect(FModel, &StringGridModel::cornerCellChanged, this, [this] {
        if (FCorner)
            FCorner->update();
    });

    // The string grid's usual shape: 5 x 5 cells, one header row.
    FModel->setGridSize(5, 5);
    FModel->setFixed(0, 1);
    FColWidths.assign(5, FDefaultColWidth);
    setOptions(FOptions);
    setDefaultRowHeight(17);
    setDefaultColWidth(FDefaultColWidth);
    resize(345, 105);
    ensureCurrentCell();
}

TSuperStringGrid::~TSuperStringGrid() = default;

int TSuperStringGrid::gridLineWidth() const
{
    return FOptions.testFlag(goGridLines) ? 1 : 0;
}

int TSuperStringGrid::ColCount() const
{
    return FModel->gridColCount();
}

void TSuperStringGrid::setColCount(int count)
{
    FModel->setGridSize(count, FModel->gridRowCount());
    FColWidths.resize(static_cast<size_t>(FModel->gridColCount()), FDefaultColWidth);
    applyColumnWidths();
    updateHeaders();
}

int TSuperStringGrid::RowCount() const
{
    return FModel->gridRowCount();
}

void TSuperStringGrid::setRowCount(int count)
{
    FModel->setGridSize(FModel->gridColCount(), count);
    updateHeaders();
}

int TSuperStringGrid::FixedCols() const
{
    return FModel->fixedCols();
}

void TSuperStringGrid::setFixedCols(int count)
{
    FModel->setFixed(count, FModel->fixedRows());
    updateHeaders();
}

int TSuperStringGrid::FixedRows() const
{
    return FModel->fixedRows();
}

void TSuperStringGrid::setFixedRows(int count)
{
    FModel->setFixed(FModel->fixedCols(), count);
    updateHeaders();
}

QString TSuperStringGrid::Cells(int col, int row) const
{
    return FModel->cell(col, row);
}

void TSuperStringGrid::setCells(int col, int row, const QString& text)
{
    FModel->setCell(col, row, text);
}

void TSuperStringGrid::setCellBlock(int left, int top, int width, const QStringList& texts)
{
    FModel->setCellBlock(left, top, width, texts);
}

void TSuperStringGrid::setDefaultColWidth(int width)
{
    FDefaultColWidth = std::max(0, width);
    applyDefaultColWidth();
    std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
    applyColumnWidths();
    updateHeaders();
}

int TSuperStringGrid::ColWidths(int col) const
{
    if (col < 0 || col >= static_cast<int>(FColWidths.size()))
        return FDefaultColWidth;
    return FColWidths[static_cast<size_t>(col)];
}

void TSuperStringGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= static_cast<int>(FColWidths.size()))
        return;
    FColWidths[static_cast<size_t>(col)] = std::max(0, width);
    applyColumnWidths();
    updateHeaders();
}

void TSuperStringGrid::setDefaultRowHeight(int height)
{
    FDefaultRowHeight = std::max(0, height);
    // Qt counts the grid line into the section; the row's own height excludes it.
    FRowHeader->setDefaultSectionSize(FDefaultRowHeight + gridLineWidth());
    updateHeaders();
}

void TSuperStringGrid::setOptions(TGridOptions options)
{
    const bool lineChanged = options.testFlag(goGridLines) != FOptions.testFlag(goGridLines);
    FOptions = options;
    setShowGrid(options.testFlag(goGridLines));
    setSelectionMode(options.testFlag(goRangeSelect) ? QAbstractItemView::ContiguousSelection
                                                     : QAbstractItemView::SingleSelection);
    FColumnHeader->setSectionResizeMode(options.testFlag(goColSizing) ? QHeaderView::Interactive
                                                                      : QHeaderView::Fixed);
    if (lineChanged) {
        applyDefaultColWidth();
        FRowHeader->setDefaultSectionSize(FDefaultRowHeight + gridLineWidth());
        applyColumnWidths();
        updateHeaders();
    }
}

void TSuperStringGrid::applyDefaultColWidth()
{
    // Changing the header's default resizes its sections; those are not the
    // user's widths.
    FApplyingWidths = true;
    FColumnHeader->setDefaultSectionSize(FDefaultColWidth + gridLineWidth());
    FApplyingWidths = false;
}

void TSuperStringGrid::applyColumnWidths()
{
    FApplyingWidths = true;
    const int fixedCols = FModel->fixedCols();
    const int sections = FColumnHeader->count();
    for (int s = 0; s < sections; ++s) {
        const int col = s + fixedCols;
        if (col < static_cast<int>(FColWidths.size()))
            FColumnHeader->resizeSection(s, FColWidths[static_cast<size_t>(col)] + gridLineWidth());
    }
    FApplyingWidths = false;
}

void TSuperStringGrid::columnResizedByHeader(int section, int /*oldSize*/, int newSize)
{
    if (FApplyingWidths)
        return;
    const size_t col = static_cast<size_t>(section + FModel->fixedCols());
    if (col < FColWidths.size())
        FColWidths[col] = std::max(0, newSize - gridLineWidth());
}

void TSuperStringGrid::updateHeaders()
{
    const int line = gridLineWidth();
    std::vector<int> rowHeights(static_cast<size_t>(FModel->fixedRows()), FDefaultRowHeight + line);
    std::vector<int> colWidths;
    for (int c = 0; c < FModel->fixedCols(); ++c)
        colWidths.push_back(ColWidths(c) + line);
    FColumnHeader->setSubCellSizes(rowHeights);
    FRowHeader->setSubCellSizes(colWidths);
    FColumnHeader->setVisible(!rowHeights.empty());
    FRowHeader->setVisible(!colWidths.empty());
    updateGeometries();
    if (FCorner)
        FCorner->update();
}

void TSuperStringGrid::ensureCurrentCell()
{
    // Like any string grid, there is always a current cell, at first the
    // top-left scrolling cell.
    if (!currentIndex().isValid() && FModel->rowCount() > 0 && FModel->columnCount() > 0)
        selectionModel()->setCurrentIndex(FModel->index(0, 0), QItemSelectionModel::ClearAndSelect);
}

TGridRect TSuperStringGrid::Selection() const
{
    const int fixedCols = FModel->fixedCols();
    const int fixedRows = FModel->fixedRows();
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        QModelIndex cell = currentIndex();
        if (!cell.isValid())
            cell = FModel->index(0, 0);
        const int col = cell.column() + fixedCols;
        const int row = cell.row() + fixedRows;
        return TGridRect{col, row, col, row};
    }
    TGridRect rect{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const QItemSelectionRange& range : selection) {
        rect.Left = std::min(rect.Left, range.left() + fixedCols);
        rect.Top = std::min(rect.Top, range.top() + fixedRows);
        rect.Right = std::max(rect.Right, range.right() + fixedCols);
        rect.Bottom = std::max(rect.Bottom, range.bottom() + fixedRows);
    }
    return rect;
}

void TSuperStringGrid::setSelection(const TGridRect& rect)
{
    const int fixedCols = FModel->fixedCols();
    const int fixedRows = FModel->fixedRows();
    const int left = std::max(rect.Left, fixedCols) - fixedCols;
    const int top = std::max(rect.Top, fixedRows) - fixedRows;
    const int right = std::min(rect.Right, ColCount() - 1) - fixedCols;
    const int bottom = std::min(rect.Bottom, RowCount() - 1) - fixedRows;
    if (left > right || top > bottom)
        return;
    const QModelIndex topLeft = FModel->index(top, left);
    selectionModel()->setCurrentIndex(topLeft, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(topLeft, FModel->index(bottom, right)),
                             QItemSelectionModel::ClearAndSelect);
}

QString TSuperStringGrid::clipboardText() const
{
    const TGridRect selection = Selection();
    int top = selection.Top;
    int bottom = selection.Bottom;
    int first = selection.Left;
    int last = selection.Right;
    if (FCopyMode.testFlag(cmEntireCols)) {
        top = FixedRows();
        bottom = RowCount() - 1;
    }
    if (FCopyMode.testFlag(cmEntireRows)) {
        first = FixedCols();
        last = ColCount() - 1;
    }
    const int fixedCols = FCopyMode.testFlag(cmFixedCols) ? FixedCols() : 0;

    QString text;
    const auto appendLine = [&](int row) {
        for (int col = 0; col < fixedCols; ++col) {
            text += FModel->cell(col, row);
            text += QLatin1Char('\t');
        }
        for (int col = first; col <= last; ++col) {
            if (col > first)
                text += QLatin1Char('\t');
            text += FModel->cell(col, row);
        }
        text += QLatin1String("\r\n");
    };
    if (FCopyMode.testFlag(cmFixedRows))
        for (int row = 0; row < FixedRows(); ++row)
            appendLine(row);
    for (int row = top; row <= bottom; ++row)
        appendLine(row);
    return text;
}

void TSuperStringGrid::CopyToClipboard()
{
    WaitCursorGuard busy;
    QGuiApplication::clipboard()->setText(clipboardText());
}

void TSuperStringGrid::keyPressEvent(QKeyEvent* event)
{
    // The view's own copy takes only the current cell; a copy from this
    // grid always has the table's clipboard format.
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TSuperStringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FCorner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

bool TSuperStringGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            option.rect = visualRect(index);
            // The delegate's size for the cell is the text with its margins,
            // as the cell draws it.
            if (itemDelegateForIndex(index)->sizeHint(option, index).width() >
                option.rect.width()) {
                QToolTip::showText(help->globalPos(), index.data().toString(), viewport(),
                                   option.rect);
                return true;
            }
        }
    }
    return QTableView::viewportEvent(event);
}

void TSuperStringGrid::paintCorner()
{
    QPainter painter(FCorner);
    const std::vector<int>& heights = FColumnHeader->subCellSizes();
    const std::vector<int>& widths = FRowHeader->subCellSizes();
    int y = 0;
    for (size_t row = 0; row < heights.size(); ++row) {
        int x = 0;
        for (size_t col = 0; col < widths.size(); ++col) {
            // Styled as the grid, not as the corner button, which is
            // disabled so that clicks on it do nothing.
            GridHeaderView::paintHeaderCell(
                &painter, this, Qt::Horizontal, QRect(x, y, widths[col], heights[row]),
                FModel->cell(static_cast<int>(col), static_cast<int>(row)));
            x += widths[col];
        }
        y += heights[row];
    }
}
