#pragma once

#include "core/ElementDelay.h"

#include <string>
#include <vector>

// One element of the chain that zentrix-cli latency computes: what its delay
// depends on, and its label as the window shows it ("T1 (1.544 Mbps)").
struct LatencyChainElement
{
    TChainElement Element;
    std::string Label;
};

// Node A first, the networks in packet order, node B last.
using LatencyChain = std::vector<LatencyChainElement>;

// The chain as the window's settings file holds it, read as the window
// reads it when it starts. Raises an error naming the file or the value
// when it cannot be read.
LatencyChain readStoredChain(const std::string& path);
