#pragma once

#include <cstdint>
#include <string>

// An element's label names it in the statistics table, the graph legends and
// the remove menu: its name followed by one of these, "Ethernet (10 Mbps)"
// for a network, "Node A (64 bytes)" for a node. Only the part after the
// name is made here, so that a name reaches the label exactly as the caller
// holds it.

// The nodes' names: node A is the client, node B the server.
constexpr const char* NodeAName = "Node A";
constexpr const char* NodeBName = "Node B";

// " (10 Mbps)": the bandwidth in general format with six significant digits.
std::string networkLabelSuffix(float bandwidth);
// " (64 bytes)".
std::string nodeLabelSuffix(int32_t packetSize);
