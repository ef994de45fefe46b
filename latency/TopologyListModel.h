#pragma once

#include "path/TopologyTable.h"

#include <QAbstractListModel>
#include <QStringList>

// The topologies the properties dialog offers, as its topology box shows
// them: the latency calculator's list (it grows by names users type and by
// those of restored networks) as a model of one column.
class TTopologyListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit TTopologyListModel(QObject* parent = nullptr);

    const TTopologyList& list() const { return FList; }
    QStringList names() const;
    // The list becomes `grown`, which holds the present one at its start:
    // the list only grows.
    void grow(const TTopologyList& grown);
    // Position of the name, letter case ignored; -1 when it is no entry.
    int indexOf(const QString& name) const;
    // Appends the name unless it is an entry already; returns its position.
    int add(const QString& name);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TTopologyList FList;
};

// The bandwidths (Mbps, as text) offered for a kind; empty for the nodes and
// for a network whose topology was never chosen.
QStringList bandwidthList(TNetworkButtonKind kind);

// Position of `text` in `list`, letter case ignored as in the topology list;
// -1 when absent.
int indexOfText(const QStringList& list, const QString& text);
