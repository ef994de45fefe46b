#include "workbench/WordHistory.h"

#include "bits/WordViews.h"
#include "controls/ErrorReport.h"
#include "controls/PaletteTone.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QUndoStack>

#include <algorithm>

QString historyValueText(const BitWord& word)
{
    return QStringLiteral("0x") +
           QString::fromStdString(grouped(hexText(word.bits, word.width), 4, '_'));
}

TWordChange::TWordChange(Show show, const WorkbenchState& before, const WorkbenchState& after,
                         const QString& what, bool typed)
    : FShow(std::move(show)), FBefore(before), FAfter(after), FWhat(what), FTyped(typed)
{
    describe();
}

void TWordChange::describe()
{
    setText(FWhat + QStringLiteral(" \u2192 ") + historyValueText(FAfter.word));
}

void TWordChange::undo()
{
    FShow(FBefore);
}

void TWordChange::redo()
{
    FShow(FAfter);
}

int TWordChange::id() const
{
    return FTyped ? 1 : -1;
}

bool TWordChange::mergeWith(const QUndoCommand* other)
{
    const auto* typed = static_cast<const TWordChange*>(other);
    FAfter = typed->FAfter;
    FWhat = typed->FWhat;
    describe();
    return true;
}

TWordHistory::TWordHistory(QUndoStack* stack, QObject* parent)
    : QAbstractListModel(parent), FStack(stack)
{
    connect(stack, &QUndoStack::indexChanged, this, &TWordHistory::stackChanged);
}

void TWordHistory::setStart(const WorkbenchState& start)
{
    FStart = start;
    emit dataChanged(index(0), index(0));
}

const WorkbenchState& TWordHistory::stateAt(int row) const
{
    if (row <= 0 || row > FStack->count())
        return FStart;
    return static_cast<const TWordChange*>(FStack->command(row - 1))->after();
}

int TWordHistory::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FRows;
}

QVariant TWordHistory::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    if (!index.isValid() || row >= FRows)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row == 0 ? QStringLiteral("Start \u2192 ") + historyValueText(FStart.word)
                        : FStack->text(row - 1);
    case Qt::FontRole:
        if (row == FStack->index()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        if (row > FStack->index()) {
            const QPalette palette;
            return toneBetween(palette.color(QPalette::Text), palette.color(QPalette::Base), 0.45);
        }
        return {};
    default:
        return {};
    }
}

void TWordHistory::stackChanged()
{
    const int rows = FStack->count() + 1;
    if (rows != FRows) {
        beginResetModel();
        FRows = rows;
        endResetModel();
    } else {
        emit dataChanged(index(0), index(FRows - 1));
    }
}

THistoryView::THistoryView(TWordHistory* history, QUndoStack* stack, CopyText copyText,
                           QWidget* parent)
    : QListView(parent), FHistory(history), FStack(stack), FCopyText(std::move(copyText))
{
    setModel(history);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    connect(this, &QAbstractItemView::activated, this,
            reporting([this](const QModelIndex& entry) { FStack->setIndex(entry.row()); }));
    // The step the word is at stays chosen and in sight.
    connect(history, &QAbstractItemModel::modelReset, this, &THistoryView::goToCurrent);
    connect(stack, &QUndoStack::indexChanged, this, &THistoryView::goToCurrent);
}

void THistoryView::goToCurrent()
{
    // Only it: the keys that undid the step may still hold Ctrl, which
    // would otherwise add it to the entries chosen before.
    const QModelIndex current = FHistory->index(FStack->index());
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    scrollTo(current);
}

QString THistoryView::selectedText() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty() && currentIndex().isValid())
        rows << currentIndex();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex& row : rows)
        lines << FCopyText(FHistory->stateAt(row.row()).word);
    return lines.join(QStringLiteral("\r\n"));
}

void THistoryView::copySelected()
{
    QGuiApplication::clipboard()->setText(selectedText());
}

void THistoryView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        reportErrors([this] { copySelected(); });
        return;
    }
    QListView::keyPressEvent(event);
}

void THistoryView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex entry = indexAt(event->pos());
    if (!entry.isValid())
        return;
    if (!selectionModel()->isSelected(entry))
        setCurrentIndex(entry);
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy Value"));
    copy->setShortcut(QKeySequence::Copy);
    QAction* go = menu.addAction(QStringLiteral("&Go to This Value"));
    QAction* chosen = menu.exec(event->globalPos());
    reportErrors([&] {
        if (chosen == copy)
            copySelected();
        else if (chosen == go)
            FStack->setIndex(entry.row());
    });
}
