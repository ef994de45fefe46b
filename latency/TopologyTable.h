#pragma once

#include "core/TopologyTable.h"

#include <QStringList>

// The topology table's lists as the properties dialog's combo boxes take them.

// The 14 topology texts in list order.
QStringList topologyTexts();

// The bandwidths (Mbps, as text) offered for a kind; empty for the nodes and
// for a network whose topology was never chosen.
QStringList bandwidthList(TNetworkButtonKind kind);

// Position of `text` in `list`, letter case ignored; -1 when absent.
int indexOfText(const QStringList& list, const QString& text);
