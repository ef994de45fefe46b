#include "planner/RequestTable.h"

#include "planner/RequestModel.h"

#include "controls/ErrorReport.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

TRequestTable::TRequestTable(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    // Fixed row heights: a table of 100,000 rows never measures its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
}

void TRequestTable::setRequestModel(TRequestModel* model)
{
    FModel = model;
    setModel(model);
    setItemDelegate(new TRequestDelegate(model, this));
    setColumnWidth(TRequestModel::NameColumn, 140);
}

std::vector<int> TRequestTable::chosenRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty() && currentIndex().isValid())
        rows.push_back(currentIndex().row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TRequestTable::chooseRows(int first, int last)
{
    if (!FModel || first < 0 || last < first || last >= FModel->rowCount())
        return;
    const QModelIndex top = FModel->index(first, 0);
    selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(top, FModel->index(last, 1)),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(top);
}

void TRequestTable::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        if (event->matches(QKeySequence::Paste)) {
            emit pasteRequested();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            emit removeRequested();
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

TRequestDelegate::TRequestDelegate(TRequestModel* model, QObject* parent)
    : QStyledItemDelegate(parent), FModel(model)
{
    // An editor closed without committing (Esc) takes its preview back.
    connect(
        this, &QAbstractItemDelegate::closeEditor, this,
        reporting([model](QWidget*, QAbstractItemDelegate::EndEditHint) { model->endPreview(); }));
}

QWidget* TRequestDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setAccessibleName(index.column() == TRequestModel::NameColumn
                                    ? QStringLiteral("Request name")
                                    : QStringLiteral("Hosts or prefix"));
        TRequestModel* model = FModel;
        const int row = index.row();
        const int column = index.column();
        connect(line, &QLineEdit::textEdited, line,
                reporting([model, row, column](const QString& text) {
                    model->previewCell(row, column, text);
                }));
    }
    return editor;
}
