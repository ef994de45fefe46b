#include "controls/StringGridModel.h"
#include "tests/controls/NamedGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using Grid = TSuperStringGrid;

// The grid's cells and how they show: row and column counts, fixed cells as
// headers, column widths, writing a block of cells, tooltips of clipped text.
class TestSuperStringGridCells : public QObject
{
    Q_OBJECT

private slots:
    void countsStayConsistent_data();
    void countsStayConsistent();
    void fixedCellsShowAsHeaders_data();
    void fixedCellsShowAsHeaders();
    void columnWidths();
    void cellBlock_data();
    void cellBlock();
    void cellBlockKeepsSelectionAndScroll();
    void clippedCellShowsWholeInItsTooltip_data();
    void clippedCellShowsWholeInItsTooltip();
};

void TestSuperStringGridCells::countsStayConsistent_data()
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

void TestSuperStringGridCells::countsStayConsistent()
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

void TestSuperStringGridCells::fixedCellsShowAsHeaders_data()
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

void TestSuperStringGridCells::fixedCellsShowAsHeaders()
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

void TestSuperStringGridCells::columnWidths()
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

void TestSuperStringGridCells::cellBlock_data()
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

void TestSuperStringGridCells::cellBlock()
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

void TestSuperStringGridCells::cellBlockKeepsSelectionAndScroll()
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

void TestSuperStringGridCells::clippedCellShowsWholeInItsTooltip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clipped");

    QTest::newRow("fits") << "Node A" << false;
    QTest::newRow("wider than the column") << "MPLS WAN to the branch office (12.5 Mbps)" << true;
}

void TestSuperStringGridCells::clippedCellShowsWholeInItsTooltip()
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

QTEST_MAIN(TestSuperStringGridCells)

#include "tst_SuperStringGridCells.moc"
