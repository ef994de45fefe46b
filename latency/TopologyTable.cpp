#include "latency/TopologyTable.h"

QStringList topologyTexts()
{
    QStringList texts;
    for (const TTopology& topology : topologies)
        texts << QString::fromLatin1(topology.Text);
    return texts;
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
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
