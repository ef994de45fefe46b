#include "planner/CopyableTable.h"

#include "planner/ResultModels.h"

#include "controls/ErrorReport.h"
#include "controls/WaitCursorGuard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

TCopyableTable::TCopyableTable(TPlanTableModel* model, QWidget* parent)
    : QTableView(parent), FModel(model)
{
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    // Fixed row heights: a table of 100,000 rows never measures its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // Widths from the first rows only: measuring every row of a long plan
    // would cost more than the plan itself.
    horizontalHeader()->setResizeContentsPrecision(100);
    // The columns fit their texts when a table gets its first rows, or other
    // columns; later plans keep the widths the user may have set.
    connect(model, &QAbstractItemModel::modelReset, this, &TCopyableTable::fitColumns);
    connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first) {
        if (first == 0)
            fitColumns();
    });
}

void TCopyableTable::fitColumns()
{
    resizeColumnsToContents();
    // Some air between the columns, so that numbers and addresses do not run
    // together.
    const int air = fontMetrics().averageCharWidth() * 2;
    for (int column = 0; column < model()->columnCount(); ++column)
        setColumnWidth(column, columnWidth(column) + air);
}

QString TCopyableTable::selectedText() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return FModel->tabSeparated(rows);
}

void TCopyableTable::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        reportErrors([this] {
            WaitCursorGuard busy;
            QGuiApplication::clipboard()->setText(selectedText());
        });
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
