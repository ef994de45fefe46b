#pragma once

#include "latency/NetworkElement.h"

#include <QStringList>

#include <optional>

// What choosing a topology in the properties dialog implies: the element
// kind, the bandwidth list offered and its preselected entry, and the
// propagation delay's default.
struct TTopology
{
    const char* Text;
    TNetworkButtonKind Kind;
    const char* Bandwidth; // the entry selected when the topology is chosen
};

constexpr int topologyCount = 14;
extern const TTopology topologies[topologyCount];

// The 14 topology texts in list order.
QStringList topologyTexts();

// The bandwidths (Mbps, as text) offered for a kind; empty for the nodes and
// for a network whose topology was never chosen.
QStringList bandwidthList(TNetworkButtonKind kind);

// Whether the kind's propagation delay is greyed and held at 0 (LANs).
bool propagationDelayDisabled(TNetworkButtonKind kind);

// The propagation delay (ms) that choosing the kind puts in the dialog;
// nothing when the kind leaves the current value as it is.
std::optional<int32_t> defaultPropagationDelay(TNetworkButtonKind kind);

// Position of `text` in `list`, letter case ignored; -1 when absent.
int indexOfText(const QStringList& list, const QString& text);
