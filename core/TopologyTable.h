#pragma once

#include "core/ElementDelay.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// The topology whose text is `text`, ASCII letter case ignored; none when
// there is no such topology.
const TTopology* findTopology(const std::string& text);

// The bandwidths (Mbps, as text) offered for a kind; empty for the nodes and
// for a network whose topology was never chosen.
const std::vector<const char*>& kindBandwidths(TNetworkButtonKind kind);

// Whether the kind's propagation delay is greyed and held at 0 (LANs).
bool propagationDelayDisabled(TNetworkButtonKind kind);

// The propagation delay (ms) that choosing the kind puts in the dialog;
// nothing when the kind leaves the current value as it is.
std::optional<int32_t> defaultPropagationDelay(TNetworkButtonKind kind);
