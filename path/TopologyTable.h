#pragma once

#include "path/ElementDelay.h"

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

// Whether two texts are the same when the letters A to Z count as their
// small letters: how names in the topology and bandwidth lists are matched.
bool sameTextIgnoringCase(const std::string& a, const std::string& b);

// The topologies the properties dialog offers: the table's fourteen in table
// order, then the names users typed and those of restored networks, each
// once. The list only grows.
class TTopologyList
{
public:
    TTopologyList();

    const std::vector<std::string>& names() const { return FNames; }
    int size() const { return static_cast<int>(FNames.size()); }
    // Position of the name, letter case ignored; -1 when it is no entry.
    int indexOf(const std::string& name) const;
    // Appends the name unless it is an entry already; returns its position.
    int add(const std::string& name);

private:
    std::vector<std::string> FNames;
};

// The bandwidths (Mbps, as text) offered for a kind; empty for the nodes and
// for a network whose topology was never chosen.
const std::vector<const char*>& kindBandwidths(TNetworkButtonKind kind);
// The entry of the kind's bandwidth list that shows this bandwidth in
// general format; -1 when none does.
int kindBandwidthIndex(TNetworkButtonKind kind, float bandwidth);

// Whether the kind's propagation delay is greyed and held at 0 (LANs).
bool propagationDelayDisabled(TNetworkButtonKind kind);

// The propagation delay (ms) that choosing the kind puts in the dialog;
// nothing when the kind leaves the current value as it is.
std::optional<int32_t> defaultPropagationDelay(TNetworkButtonKind kind);
