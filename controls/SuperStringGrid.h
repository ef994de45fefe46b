#pragma once

#include <QFlags>
#include <QStringList>
#include <QTableView>

#include <vector>

class GridHeaderView;
class StringGridModel;
class QAbstractButton;

// A rectangle of grid cells, edges included, in grid coordinates (fixed
// rows and columns counted). Right < Left or Bottom < Top means empty.
struct TGridRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const TGridRect& o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
    bool operator!=(const TGridRect& o) const { return !(*this == o); }
};

// A grid of text cells with fixed header rows and columns, a rectangular
// selection and per-column widths, which copies a block of its cells to the
// clipboard as tab-separated text for pasting into a spreadsheet.
//
// Cells live in a flat model and only visible cells are ever drawn, so tables
// of tens of thousands of rows build, scroll and select without delay. Fixed
// rows and columns are drawn as header cells and stay in place.
class TSuperStringGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(int ColCount READ ColCount WRITE setColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE setRowCount)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(TCopyMode CopyMode READ CopyMode WRITE setCopyMode)
    Q_PROPERTY(TGridOptions Options READ Options WRITE setOptions)

public:
    // Which cells CopyToClipboard takes.
    enum TCopyModeFlag
    {
        cmEntireCols = 0x1, // all scrolling rows instead of the selected rows
        cmEntireRows = 0x2, // all scrolling columns instead of the selected columns
        cmFixedCols = 0x4,  // each line starts with the fixed columns' cells
        cmFixedRows = 0x8,  // the fixed rows come first
    };
    Q_DECLARE_FLAGS(TCopyMode, TCopyModeFlag)
    Q_FLAG(TCopyMode)

    enum TGridOption
    {
        goGridLines = 0x1,   // lines between the cells
        goRangeSelect = 0x2, // a block of cells can be selected, not just one
        goColSizing = 0x4,   // the user can drag column edges in the fixed rows
    };
    Q_DECLARE_FLAGS(TGridOptions, TGridOption)
    Q_FLAG(TGridOptions)

    explicit TSuperStringGrid(QWidget* parent = nullptr);
    ~TSuperStringGrid() override;

    int ColCount() const;
    void setColCount(int count);
    int RowCount() const;
    void setRowCount(int count);
    int FixedCols() const;
    void setFixedCols(int count);
    int FixedRows() const;
    void setFixedRows(int count);

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);
    // Fills a block of cells at once: `texts` row after row from (left,
    // top), `width` cells to a row, the last row possibly short; cells past
    // the grid's edges are skipped. The grid redraws once for the whole
    // block and keeps its selection and scroll position, so refilling a
    // table of thousands of rows costs little more than making the texts.
    void setCellBlock(int left, int top, int width, const QStringList& texts);

    int DefaultColWidth() const { return FDefaultColWidth; }
    // Also gives every column this width.
    void setDefaultColWidth(int width);
    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void setDefaultRowHeight(int height);

    TGridOptions Options() const { return FOptions; }
    void setOptions(TGridOptions options);

    // The selected block of scrolling cells; at least the current cell.
    TGridRect Selection() const;
    // Selects the block, clipped to the scrolling cells.
    void setSelection(const TGridRect& rect);

    TCopyMode CopyMode() const { return FCopyMode; }
    void setCopyMode(TCopyMode mode) { FCopyMode = mode; }

    // The text CopyToClipboard puts on the clipboard: one line per copied
    // row, cells joined by one TAB, every line ended by CR LF, cell texts
    // exactly as they are.
    QString clipboardText() const;
    void CopyToClipboard();

protected:
    // The view's own selection by rectangle stays reachable beside ours.
    using QTableView::setSelection;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A cell too narrow for its text shows the whole text as its tooltip.
    bool viewportEvent(QEvent* event) override;

private:
    void updateHeaders();
    void applyDefaultColWidth();
    void applyColumnWidths();
    void columnResizedByHeader(int section, int oldSize, int newSize);
    void ensureCurrentCell();
    void paintCorner();
    int gridLineWidth() const;

    StringGridModel* FModel;
    GridHeaderView* FColumnHeader; // shows the fixed rows
    GridHeaderView* FRowHeader;    // shows the fixed columns
    QAbstractButton* FCorner = nullptr;
    std::vector<int> FColWidths; // every grid column, fixed ones included
    bool FApplyingWidths = false;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    TGridOptions FOptions;
    TCopyMode FCopyMode;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TCopyMode)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSuperStringGrid::TGridOptions)
