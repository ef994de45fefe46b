#include "controls/StringGridModel.h"
#include "controls/SuperStringGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace {

using Grid = TSuperStringGrid;

// Every cell names its own position, so a wrong cell shows in the diff.
QString cellName(int col, int row)
{
    return QStringLiteral("c%1r%2").arg(col).arg(row);
}

void fillNamed(Grid& grid)
{
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int col = 0; col < grid.ColCount(); ++col)
            grid.setCells(col, row, cellName(col, row));
}

QModelIndex itemAt(const Grid& grid, int col, int row)
{
    return grid.model()->index(row - grid.FixedRows(), col - grid.FixedCols());
}

TGridRect rectOf(const QList<int>& v)
{
    return TGridRect{v.at(0), v.at(1), v.at(2), v.at(3)};
}

QString describe(const TGridRect& r)
{
    return QStringLiteral("(%1,%2)-(%3,%4)").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

} // namespace

class TestSuperStringGrid : public QObject
{
    Q_OBJECT

private slots:
    void copiedText_data();
    void copiedText();
    void copyReplacesClipboardUnderHourglass();
    void ctrlCInGridCopiesTheTable();
    void userSelection_data();
    void userSelection();
    void resizingKeepsCellsAndSelection();
    void countsStayConsistent_data();
    void countsStayConsistent();
    void fixedCellsShowAsHeaders_data();
    void fixedCellsShowAsHeaders();
    void columnWidths();
    void cellBlock_data();
    void cellBlock();
    void cellBlockKeepsSelectionAndScroll();
    void longTableBuildsAndCopiesQuickly();
    void clippedCellShowsWholeInItsTooltip_data();
    void clippedCellShowsWholeInItsTooltip();
};

void TestSuperStringGrid::copiedText_data()
{
    QTest::addColumn<QList<int>>("shape"); // cols, rows, fixed cols, fixed rows
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<int>>("selection");  // left, top, right, bottom
    QTest::addColumn<QStringList>("overrides"); // "col|row|text"
    QTest::addColumn<QString>("expected");

    const int defaultMode = Grid::cmFixedCols | Grid::cmFixedRows;
    QTest::newRow("one cell under the header")
        << QList<int>{3, 8, 0, 1} << defaultMode << QList<int>{1, 5, 1, 5} << QStringList()
        << "c1r0\r\nc1r5\r\n";
    QTest::newRow("block of two rows")
        << QList<int>{3, 8, 0, 1} << defaultMode << QList<int>{0, 2, 2, 3} << QStringList()
        << "c0r0\tc1r0\tc2r0\r\nc0r2\tc1r2\tc2r2\r\nc0r3\tc1r3\tc2r3\r\n";
    QTest::newRow("empty middle cell keeps its tab")
        << QList<int>{3, 8, 0, 1} << defaultMode << QList<int>{0, 2, 2, 2} << QStringList{"1|2|"}
        << "c0r0\tc1r0\tc2r0\r\nc0r2\t\tc2r2\r\n";
    QTest::newRow("header left out") << QList<int>{3, 8, 0, 1} << int(Grid::cmFixedCols)
                                     << QList<int>{0, 2, 1, 2} << QStringList() << "c0r2\tc1r2\r\n";
    QTest::newRow("entire area ignores the selection")
        << QList<int>{3, 4, 0, 1} << int(Grid::cmEntireCols | Grid::cmEntireRows)
        << QList<int>{1, 2, 1, 2} << QStringList()
        << "c0r1\tc1r1\tc2r1\r\nc0r2\tc1r2\tc2r2\r\nc0r3\tc1r3\tc2r3\r\n";
    QTest::newRow("entire area with header")
        << QList<int>{3, 3, 0, 1}
        << int(Grid::cmEntireCols | Grid::cmEntireRows | Grid::cmFixedRows)
        << QList<int>{1, 2, 1, 2} << QStringList()
        << "c0r0\tc1r0\tc2r0\r\nc0r1\tc1r1\tc2r1\r\nc0r2\tc1r2\tc2r2\r\n";
    QTest::newRow("entire columns: all rows of the selected columns")
        << QList<int>{3, 4, 0, 1} << int(Grid::cmEntireCols) << QList<int>{1, 2, 2, 2}
        << QStringList() << "c1r1\tc2r1\r\nc1r2\tc2r2\r\nc1r3\tc2r3\r\n";
    QTest::newRow("entire rows: all columns of the selected rows")
        << QList<int>{3, 4, 0, 1} << int(Grid::cmEntireRows) << QList<int>{2, 3, 2, 3}
        << QStringList() << "c0r3\tc1r3\tc2r3\r\n";
    QTest::newRow("two fixed columns lead every line")
        << QList<int>{5, 4, 2, 1} << defaultMode << QList<int>{2, 2, 3, 2} << QStringList()
        << "c0r0\tc1r0\tc2r0\tc3r0\r\nc0r2\tc1r2\tc2r2\tc3r2\r\n";
    QTest::newRow("fixed columns left out")
        << QList<int>{5, 4, 2, 1} << int(Grid::cmFixedRows) << QList<int>{3, 1, 3, 1}
        << QStringList() << "c3r0\r\nc3r1\r\n";
    QTest::newRow("cell text copied as it is")
        << QList<int>{2, 3, 0, 1} << 0 << QList<int>{0, 1, 1, 1}
        << QStringList{"1|1|a\tb\r\nc \"q\" "} << "c0r1\ta\tb\r\nc \"q\" \r\n";
    QTest::newRow("no fixed rows") << QList<int>{2, 3, 0, 0} << defaultMode
                                   << QList<int>{0, 0, 1, 0} << QStringList() << "c0r0\tc1r0\r\n";
    QTest::newRow("selection clipped to the body")
        << QList<int>{2, 3, 0, 1} << defaultMode << QList<int>{-3, -3, 99, 1} << QStringList()
        << "c0r0\tc1r0\r\nc0r1\tc1r1\r\n";
}

void TestSuperStringGrid::copiedText()
{
    QFETCH(QList<int>, shape);
    QFETCH(int, mode);
    QFETCH(QList<int>, selection);
    QFETCH(QStringList, overrides);
    QFETCH(QString, expected);

    Grid grid;
    grid.setColCount(shape[0]);
    grid.setRowCount(shape[1]);
    grid.setFixedCols(shape[2]);
    grid.setFixedRows(shape[3]);
    fillNamed(grid);
    for (const QString& o : overrides) {
        const QStringList parts = o.split(QLatin1Char('|'));
        grid.setCells(parts[0].toInt(), parts[1].toInt(), parts.mid(2).join(QLatin1Char('|')));
    }
    grid.setCopyMode(Grid::TCopyMode(mode));
    grid.setSelection(rectOf(selection));

    QApplication::clipboard()->setText(QStringLiteral("previous contents"));
    grid.CopyToClipboard();
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

void TestSuperStringGrid::copyReplacesClipboardUnderHourglass()
{
    Grid grid;
    fillNamed(grid);
    grid.setSelection(TGridRect{0, 1, 0, 1});

    // The busy cursor must be up while the clipboard is written and gone after.
    int shapeWhileWriting = -1;
    const auto conn = connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        shapeWhileWriting = cursor ? int(cursor->shape()) : -2;
    });
    grid.CopyToClipboard();
    disconnect(conn);

    QCOMPARE(shapeWhileWriting, int(Qt::WaitCursor));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("c0r0\r\nc0r1\r\n"));
}

void TestSuperStringGrid::ctrlCInGridCopiesTheTable()
{
    Grid grid;
    fillNamed(grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setSelection(TGridRect{1, 2, 2, 2});
    QApplication::clipboard()->clear();

    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("c1r0\tc2r0\r\nc1r2\tc2r2\r\n"));
}

void TestSuperStringGrid::userSelection_data()
{
    QTest::addColumn<bool>("rangeSelect");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("nothing done: first body cell")
        << true << QStringList() << QList<int>{0, 1, 0, 1};
    QTest::newRow("click one cell") << true << QStringList{"click 2 4"} << QList<int>{2, 4, 2, 4};
    QTest::newRow("shift-click extends")
        << true << QStringList{"click 0 2", "shiftclick 1 5"} << QList<int>{0, 2, 1, 5};
    QTest::newRow("shift-click upwards")
        << true << QStringList{"click 2 7", "shiftclick 1 3"} << QList<int>{1, 3, 2, 7};
    QTest::newRow("shift arrows extend")
        << true << QStringList{"click 1 3", "shift Down", "shift Down", "shift Right"}
        << QList<int>{1, 3, 2, 5};
    QTest::newRow("ctrl+A takes the body")
        << true << QStringList{"click 1 3", "ctrl A"} << QList<int>{0, 1, 2, 9};
    QTest::newRow("no range select: one cell")
        << false << QStringList{"click 0 2", "shiftclick 1 5"} << QList<int>{1, 5, 1, 5};
}

void TestSuperStringGrid::userSelection()
{
    QFETCH(bool, rangeSelect);
    QFETCH(QStringList, actions);
    QFETCH(QList<int>, expected);

    Grid grid;
    grid.setColCount(3);
    grid.setRowCount(10);
    fillNamed(grid);
    grid.setOptions(rangeSelect ? grid.Options() | Grid::goRangeSelect
                                : grid.Options() & ~Grid::TGridOptions(Grid::goRangeSelect));
    grid.resize(400, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    for (const QString& action : actions) {
        const QStringList w = action.split(QLatin1Char(' '));
        if (w[0].endsWith(QLatin1String("click"))) {
            const QPoint at = grid.visualRect(itemAt(grid, w[1].toInt(), w[2].toInt())).center();
            const Qt::KeyboardModifiers mods =
                w[0] == QLatin1String("shiftclick") ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, mods, at);
        } else {
            const Qt::KeyboardModifiers mods =
                w[0] == QLatin1String("shift") ? Qt::ShiftModifier : Qt::ControlModifier;
            const Qt::Key key = w[1] == QLatin1String("Down")    ? Qt::Key_Down
                                : w[1] == QLatin1String("Right") ? Qt::Key_Right
                                                                 : Qt::Key_A;
            QTest::keyClick(&grid, key, mods);
        }
    }
    QCOMPARE(describe(grid.Selection()), describe(rectOf(expected)));
}

void TestSuperStringGrid::resizingKeepsCellsAndSelection()
{
    Grid grid;
    grid.setColCount(2);
    grid.setRowCount(16386);
    fillNamed(grid);
    grid.setSelection(TGridRect{0, 1, 1, 3});

    grid.setRowCount(300);
    QCOMPARE(grid.Cells(1, 299), cellName(1, 299));
    QCOMPARE(grid.Cells(1, 300), QString());
    QCOMPARE(describe(grid.Selection()), describe(TGridRect{0, 1, 1, 3}));

    grid.setRowCount(16386);
    QCOMPARE(grid.Cells(1, 5000), QString()); // dropped rows come back empty
    QCOMPARE(grid.Cells(0, 2), cellName(0, 2));
    QCOMPARE(describe(grid.Selection()), describe(TGridRect{0, 1, 1, 3}));

    grid.setColCount(3);
    QCOMPARE(grid.Cells(1, 7), cellName(1, 7));
    QCOMPARE(grid.Cells(2, 7), QString());
    grid.setColCount(1);
    grid.setColCount(2);
    QCOMPARE(grid.Cells(0, 7), cellName(0, 7));
    QCOMPARE(grid.Cells(1, 7), QString());

    // A selection cut off by shrinking falls back to a cell that exists.
    grid.setSelection(TGridRect{0, 250, 0, 260});
    grid.setRowCount(100);
    const TGridRect s = grid.Selection();
    QVERIFY2(s.Top >= 1 && s.Bottom <= 99 && s.Top <= s.Bottom, qPrintable(describe(s)));
}

void TestSuperStringGrid::countsStayConsistent_data()
{
    // Applied in order: cols, rows, fixed cols, fixed rows, then rows again if >= 0.
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<QList<int>>("expected"); // cols, rows, fixed cols, fixed rows

    QTest::newRow("at least one row and column")
        << QList<int>{0, -4, 0, 0, -1} << QList<int>{1, 1, 0, 0};
    QTest::newRow("fixed rows leave one body row")
        << QList<int>{2, 5, 0, 5, -1} << QList<int>{2, 5, 0, 4};
    QTest::newRow("fixed cols leave one body column")
        << QList<int>{3, 5, 7, 1, -1} << QList<int>{3, 5, 2, 1};
    QTest::newRow("negative fixed counts")
        << QList<int>{3, 5, -1, -2, -1} << QList<int>{3, 5, 0, 0};
    QTest::newRow("shrinking rows pulls fixed rows along")
        << QList<int>{2, 5, 0, 3, 2} << QList<int>{2, 2, 0, 1};
    QTest::newRow("one row drops the header")
        << QList<int>{2, 5, 0, 1, 1} << QList<int>{2, 1, 0, 0};
}

void TestSuperStringGrid::countsStayConsistent()
{
    QFETCH(QList<int>, steps);
    QFETCH(QList<int>, expected);

    Grid grid;
    grid.setColCount(steps[0]);
    grid.setRowCount(steps[1]);
    grid.setFixedCols(steps[2]);
    grid.setFixedRows(steps[3]);
    if (steps[4] >= 0)
        grid.setRowCount(steps[4]);

    QCOMPARE((QList<int>{grid.ColCount(), grid.RowCount(), grid.FixedCols(), grid.FixedRows()}),
             expected);
    QCOMPARE(grid.model()->columnCount(), grid.ColCount() - grid.FixedCols());
    QCOMPARE(grid.model()->rowCount(), grid.RowCount() - grid.FixedRows());

    // Outside the grid nothing is stored and nothing breaks.
    grid.setCells(grid.ColCount(), 0, QStringLiteral("x"));
    grid.setCells(0, -1, QStringLiteral("x"));
    QCOMPARE(grid.Cells(grid.ColCount(), 0), QString());
    QCOMPARE(grid.Cells(-1, -1), QString());
    grid.setCells(0, 0, QStringLiteral("corner"));
    QCOMPARE(grid.Cells(0, 0), QStringLiteral("corner"));
    QVERIFY(!grid.clipboardText().isEmpty());
}

void TestSuperStringGrid::fixedCellsShowAsHeaders_data()
{
    QTest::addColumn<int>("fixedCols");
    QTest::addColumn<int>("fixedRows");
    QTest::addColumn<QString>("columnHeaderText"); // of the first body column

    QTest::newRow("plain table") << 0 << 0 << QString();
    QTest::newRow("one header row") << 0 << 1 << "c0r0";
    QTest::newRow("two header rows") << 0 << 2 << "c0r0 c0r1";
    QTest::newRow("header row and column") << 1 << 1 << "c1r0";
    QTest::newRow("two fixed columns") << 2 << 0 << QString();
}

void TestSuperStringGrid::fixedCellsShowAsHeaders()
{
    QFETCH(int, fixedCols);
    QFETCH(int, fixedRows);
    QFETCH(QString, columnHeaderText);

    Grid grid;
    grid.setColCount(4);
    grid.setRowCount(6);
    grid.setFixedCols(fixedCols);
    grid.setFixedRows(fixedRows);
    grid.setColWidths(0, 30);
    grid.setColWidths(1, 40);
    fillNamed(grid);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    // Fixed rows stack up in the top header, fixed columns in the left one,
    // each as tall (wide) as the rows (columns) they stand for, grid line included.
    const int headerHeight = fixedRows * (grid.DefaultRowHeight() + 1);
    const int headerWidth = fixedCols == 0 ? 0 : fixedCols == 1 ? 31 : 31 + 41;
    QCOMPARE(grid.horizontalHeader()->isVisible(), fixedRows > 0);
    QCOMPARE(grid.verticalHeader()->isVisible(), fixedCols > 0);
    const QPoint bodyOrigin = grid.viewport()->geometry().topLeft();
    QCOMPARE(bodyOrigin, QPoint(grid.frameWidth() + headerWidth, grid.frameWidth() + headerHeight));

    if (fixedRows > 0)
        QCOMPARE(grid.model()->headerData(0, Qt::Horizontal).toString(), columnHeaderText);
    // The first body cell on screen is the first non-fixed cell.
    QCOMPARE(grid.indexAt(QPoint(1, 1)).data().toString(), cellName(fixedCols, fixedRows));
}

void TestSuperStringGrid::columnWidths()
{
    Grid grid;
    grid.setColCount(3);
    grid.setDefaultColWidth(82);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(grid.ColWidths(c), 82);
    QCOMPARE(grid.horizontalHeader()->sectionSize(2), 83);

    grid.setColWidths(1, 100);
    QCOMPARE(grid.horizontalHeader()->sectionSize(1), 101);

    // Widths belong to grid columns, not to whatever the view shows first.
    grid.setFixedCols(1);
    QCOMPARE(grid.ColWidths(1), 100);
    QCOMPARE(grid.horizontalHeader()->sectionSize(0), 101);
    QCOMPARE(grid.verticalHeader()->sizeHint().width(), 83);

    // The user drags a column edge.
    grid.horizontalHeader()->resizeSection(1, 51);
    QCOMPARE(grid.ColWidths(2), 50);

    grid.setOptions(grid.Options() & ~Grid::TGridOptions(Grid::goGridLines));
    QCOMPARE(grid.horizontalHeader()->sectionSize(0), 100);
    QCOMPARE(grid.rowHeight(0), grid.DefaultRowHeight());

    grid.setOptions(grid.Options() | Grid::goColSizing);
    QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
}

void TestSuperStringGrid::cellBlock_data()
{
    // A 4 x 5 grid, every cell named, with the fixed counts given; the block
    // texts are "b0", "b1", ... in order.
    QTest::addColumn<QList<int>>("fixed");    // fixed cols, fixed rows
    QTest::addColumn<QList<int>>("block");    // left, top, width, number of texts
    QTest::addColumn<QStringList>("written"); // "col|row|text" of every cell that changed
    QTest::addColumn<QList<int>>("body");     // notified body rect: left, top, right, bottom
    QTest::addColumn<QList<int>>("header");   // first and last notified column of a fixed row
    QTest::addColumn<QList<int>>("side");     // first and last notified row of a fixed column
    QTest::addColumn<bool>("corner");

    QTest::newRow("two columns under the header")
        << QList<int>{0, 1} << QList<int>{0, 1, 2, 4}
        << QStringList{"0|1|b0", "1|1|b1", "0|2|b2", "1|2|b3"} << QList<int>{0, 1, 1, 2}
        << QList<int>() << QList<int>() << false;
    QTest::newRow("short last row")
        << QList<int>{0, 1} << QList<int>{1, 2, 3, 4}
        << QStringList{"1|2|b0", "2|2|b1", "3|2|b2", "1|3|b3"} << QList<int>{1, 2, 3, 3}
        << QList<int>() << QList<int>() << false;
    QTest::newRow("clipped at the right and bottom edges")
        << QList<int>{0, 1} << QList<int>{3, 3, 2, 8} << QStringList{"3|3|b0", "3|4|b2"}
        << QList<int>{3, 3, 3, 4} << QList<int>() << QList<int>() << false;
    QTest::newRow("starts above and left of the grid")
        << QList<int>{0, 1} << QList<int>{-1, -1, 3, 9}
        << QStringList{"0|0|b4", "1|0|b5", "0|1|b7", "1|1|b8"} << QList<int>{0, 1, 1, 1}
        << QList<int>{0, 1} << QList<int>() << false;
    QTest::newRow("over the corner, header and side")
        << QList<int>{1, 1} << QList<int>{0, 0, 2, 6}
        << QStringList{"0|0|b0", "1|0|b1", "0|1|b2", "1|1|b3", "0|2|b4", "1|2|b5"}
        << QList<int>{1, 1, 1, 2} << QList<int>{1, 1} << QList<int>{1, 2} << true;
    QTest::newRow("far outside: nothing written")
        << QList<int>{0, 1} << QList<int>{2147483600, 2147483600, 1000, 3} << QStringList()
        << QList<int>() << QList<int>() << QList<int>() << false;
    QTest::newRow("width zero: nothing written")
        << QList<int>{0, 1} << QList<int>{0, 1, 0, 3} << QStringList() << QList<int>()
        << QList<int>() << QList<int>() << false;
}

void TestSuperStringGrid::cellBlock()
{
    QFETCH(QList<int>, fixed);
    QFETCH(QList<int>, block);
    QFETCH(QStringList, written);
    QFETCH(QList<int>, body);
    QFETCH(QList<int>, header);
    QFETCH(QList<int>, side);
    QFETCH(bool, corner);

    Grid grid;
    grid.setColCount(4);
    grid.setRowCount(5);
    grid.setFixedCols(fixed[0]);
    grid.setFixedRows(fixed[1]);
    fillNamed(grid);
    QStringList texts;
    for (int i = 0; i < block[3]; ++i)
        texts << QStringLiteral("b%1").arg(i);

    auto* model = qobject_cast<StringGridModel*>(grid.model());
    QVERIFY(model);
    QSignalSpy bodySpy(model, &QAbstractItemModel::dataChanged);
    QSignalSpy headerSpy(model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy cornerSpy(model, &StringGridModel::cornerCellChanged);
    QSignalSpy resetSpy(model, &QAbstractItemModel::modelReset);
    grid.setCellBlock(block[0], block[1], block[2], texts);

    // The whole grid, so a cell written in the wrong place shows up too.
    QStringList expectedCells;
    QStringList actualCells;
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            QString expected = cellName(col, row);
            for (const QString& w : written) {
                const QStringList parts = w.split(QLatin1Char('|'));
                if (parts[0].toInt() == col && parts[1].toInt() == row)
                    expected = parts[2];
            }
            expectedCells << expected;
            actualCells << grid.Cells(col, row);
        }
    }
    QCOMPARE(actualCells.join(QLatin1Char(' ')), expectedCells.join(QLatin1Char(' ')));

    // One notice per part of the grid, in grid coordinates; never a reset,
    // which would throw away the selection and the scroll position.
    QCOMPARE(resetSpy.count(), 0);
    QList<int> notifiedBody;
    if (bodySpy.count() == 1) {
        const auto topLeft = bodySpy[0][0].value<QModelIndex>();
        const auto bottomRight = bodySpy[0][1].value<QModelIndex>();
        notifiedBody = {topLeft.column() + fixed[0], topLeft.row() + fixed[1],
                        bottomRight.column() + fixed[0], bottomRight.row() + fixed[1]};
    }
    QCOMPARE(bodySpy.count(), body.isEmpty() ? 0 : 1);
    QCOMPARE(notifiedBody, body);
    QList<int> notifiedHeader;
    QList<int> notifiedSide;
    for (const QList<QVariant>& notice : headerSpy) {
        const bool horizontal = notice[0].value<Qt::Orientation>() == Qt::Horizontal;
        const int shift = horizontal ? fixed[0] : fixed[1];
        (horizontal ? notifiedHeader : notifiedSide)
            << notice[1].toInt() + shift << notice[2].toInt() + shift;
    }
    QCOMPARE(notifiedHeader, header);
    QCOMPARE(notifiedSide, side);
    QCOMPARE(cornerSpy.count(), corner ? 1 : 0);

    // Writing the same texts again changes nothing, so nothing is announced.
    bodySpy.clear();
    headerSpy.clear();
    cornerSpy.clear();
    grid.setCellBlock(block[0], block[1], block[2], texts);
    QCOMPARE(bodySpy.count() + headerSpy.count() + cornerSpy.count(), 0);
}

void TestSuperStringGrid::cellBlockKeepsSelectionAndScroll()
{
    const auto column = [](const QString& prefix) {
        QStringList texts;
        for (int row = 1; row < 16386; ++row)
            texts << prefix + QString::number(row) << QString();
        return texts;
    };
    Grid grid;
    grid.setColCount(2);
    grid.setRowCount(16386);
    grid.setCellBlock(0, 1, 2, column(QStringLiteral("old")));
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setSelection(TGridRect{0, 100, 1, 103});
    grid.verticalScrollBar()->setValue(5000);
    const QString topRowBefore = grid.indexAt(QPoint(1, 1)).data().toString();
    QVERIFY(topRowBefore.startsWith(QLatin1String("old")));

    grid.setCellBlock(0, 1, 2, column(QStringLiteral("new")));
    QApplication::processEvents();

    QCOMPARE(describe(grid.Selection()), describe(TGridRect{0, 100, 1, 103}));
    QCOMPARE(grid.verticalScrollBar()->value(), 5000);
    QCOMPARE(grid.indexAt(QPoint(1, 1)).data().toString(),
             QStringLiteral("new") + topRowBefore.mid(3));
    QCOMPARE(grid.Cells(0, 16385), QStringLiteral("new16385"));
}

void TestSuperStringGrid::longTableBuildsAndCopiesQuickly()
{
    Grid grid;
    grid.setColCount(2);
    grid.setOptions(grid.Options() | Grid::goColSizing);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QElapsedTimer clock;
    clock.start();
    grid.setRowCount(16386);
    const QString range = QStringLiteral("10.0.0.1  -  10.0.0.2");
    for (int row = 1; row < grid.RowCount(); ++row) {
        grid.setCells(0, row, QString::number(row - 1).rightJustified(5));
        grid.setCells(1, row, range);
    }
    QApplication::processEvents();
    grid.scrollToBottom();
    QApplication::processEvents();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    grid.CopyToClipboard();
    // Measured in tens of milliseconds; the bound only catches a
    // per-row cost that has crept in (an item object per cell, a relayout
    // per write), with room for sanitizer builds.
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));

    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text.count(QLatin1String("\r\n")), 16386);
    QVERIFY(text.endsWith(QStringLiteral("16384\t10.0.0.1  -  10.0.0.2\r\n")));
}

void TestSuperStringGrid::clippedCellShowsWholeInItsTooltip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clipped");

    QTest::newRow("fits") << "Node A" << false;
    QTest::newRow("wider than the column") << "MPLS WAN to the branch office (12.5 Mbps)" << true;
}

void TestSuperStringGrid::clippedCellShowsWholeInItsTooltip()
{
    QFETCH(QString, text);
    QFETCH(bool, clipped);
    Grid grid;
    grid.setColWidths(0, 105);
    grid.setCells(0, 1, text);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    const QPoint centre = grid.visualRect(itemAt(grid, 0, 1)).center();
    QHelpEvent asked(QEvent::ToolTip, centre, grid.viewport()->mapToGlobal(centre));
    QApplication::sendEvent(grid.viewport(), &asked);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), clipped ? text : QString());
    QToolTip::hideText();
}

QTEST_MAIN(TestSuperStringGrid)

#include "tst_SuperStringGrid.moc"
