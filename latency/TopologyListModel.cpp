#include "latency/TopologyListModel.h"

TTopologyListModel::TTopologyListModel(QObject* parent) : QAbstractListModel(parent) {}

QStringList TTopologyListModel::names() const
{
    QStringList names;
    for (const std::string& name : FList.names())
        names << QString::fromStdString(name);
    return names;
}

void TTopologyListModel::grow(const TTopologyList& grown)
{
    // New rows only, never a reset: a reset would clear the text of a box
    // that shows the list.
    if (grown.size() <= FList.size())
        return;
    beginInsertRows(QModelIndex(), FList.size(), grown.size() - 1);
    FList = grown;
    endInsertRows();
}

int TTopologyListModel::indexOf(const QString& name) const
{
    return FList.indexOf(name.toStdString());
}

int TTopologyListModel::add(const QString& name)
{
    TTopologyList grown = FList;
    const int index = grown.add(name.toStdString());
    grow(grown);
    return index;
}

int TTopologyListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FList.size();
}

QVariant TTopologyListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= FList.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return QString::fromStdString(FList.names()[size_t(index.row())]);
}

QStringList bandwidthList(TNetworkButtonKind kind)
{
    QStringList texts;
    for (const char* rate : kindBandwidths(kind))
        texts << QString::fromLatin1(rate);
    return texts;
}

int indexOfText(const QStringList& list, const QString& text)
{
    for (int i = 0; i < list.size(); ++i) {
        if (sameTextIgnoringCase(list[i].toStdString(), text.toStdString()))
            return i;
    }
    return -1;
}
