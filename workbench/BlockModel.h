#pragma once

#include "bits/WildcardMask.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The CIDR blocks of a wildcard mask as a table: a row's block is worked out
// only when the row is shown, so a list of any length costs nothing until
// it is looked at. Longer lists show their first MaxRows blocks.
class TBlockModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int MaxRows = 1 << 20;

    explicit TBlockModel(QObject* parent = nullptr);

    void setMask(const std::optional<WildcardMask>& mask);
    // Whether the list is longer than the rows.
    bool cut() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows, under the header, tab-separated with CR LF line ends.
    QString tabSeparated(const std::vector<int>& rows) const;

private:
    QString cell(int row, int column) const;

    std::optional<WildcardMask> FMask;
    int FRows = 0;
};
