#pragma once

#include "ipaddress/AddressPlan.h"
#include "ipaddress/PlanTable.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The planner's result as tables: the placed blocks, the requests that did
// not fit, and the free blocks. Each shows the plan it was last given
// without copying it, and makes the texts of a cell only when a view asks,
// so that only the rows on screen cost anything as the plan changes.
class TPlanTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TPlanTableModel(QObject* parent) : QAbstractTableModel(parent) {}

    // Shows the plan; nullptr empties the table. The plan stays the
    // caller's, unchanged until the next call.
    void showPlan(const PlanInput* input, const PlanResult* result);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The rows as the window copies a table: its header, then one line per
    // row, cells joined by a tab and every line ended by CR LF.
    QString tabSeparated(const std::vector<int>& rows) const;
    QString tabSeparated() const;

protected:
    struct ColumnHead
    {
        QString header;
        bool rightAligned;
    };
    virtual std::vector<ColumnHead> columnsFor(AddressFamily family) const = 0;
    virtual int rowsIn(const PlanResult& result) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    // Called before the rows are shown again.
    virtual void planChanged() {}

    const PlanInput* FInput = nullptr;
    const PlanResult* FResult = nullptr;

private:
    std::vector<ColumnHead> FColumns;
    int FRows = 0;
};

// The placed blocks, in the cells of the command line's tab-separated
// table: the window's copy is `zentrix-cli plan --tsv`.
class TPlacedModel : public TPlanTableModel
{
    Q_OBJECT
public:
    using TPlanTableModel::TPlanTableModel;

protected:
    std::vector<ColumnHead> columnsFor(AddressFamily family) const override;
    int rowsIn(const PlanResult& result) const override;
    QString cellText(int row, int column) const override;
    void planChanged() override;

private:
    std::vector<plantable::PlacedColumn> FShown;
    // The last row made: a view asks for its cells one by one.
    mutable int FCachedRow = -1;
    mutable plantable::PlacedRow FRow;
};

class TUnplacedModel : public TPlanTableModel
{
    Q_OBJECT
public:
    using TPlanTableModel::TPlanTableModel;

protected:
    std::vector<ColumnHead> columnsFor(AddressFamily family) const override;
    int rowsIn(const PlanResult& result) const override;
    QString cellText(int row, int column) const override;
};

class TFreeModel : public TPlanTableModel
{
    Q_OBJECT
public:
    using TPlanTableModel::TPlanTableModel;

protected:
    std::vector<ColumnHead> columnsFor(AddressFamily family) const override;
    int rowsIn(const PlanResult& result) const override;
    QString cellText(int row, int column) const override;
};
