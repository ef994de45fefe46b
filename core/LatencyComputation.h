#pragma once

#include "latency/NetworkElement.h"

#include <vector>

// The three ways a packet can travel the chain; the order is that of the
// direction choice on the statistics tab.
enum TPacketDirection
{
    pdAtoB,      // node A's packet to node B
    pdBtoA,      // node B's packet to node A
    pdRoundTrip, // both packets, both processing times
};

struct TLatencyTotals
{
    float AtoB = 0;
    float RoundTrip = 0;
    float BtoA = 0;
};

struct TChainLatencies
{
    std::vector<TElementLatency> Elements; // one per chain element, in chain order
    TLatencyTotals Totals;
};

// Delays and shares of every element of a chain (node A first, node B last,
// the networks between them in packet order). All sums and quotients are
// rounded to single precision in the order networks, node A, node B, which
// decides the last digits of the totals. Raises EZentrixError("Integer
// overflow") when the two packet sizes together exceed 32 bits; nothing is
// computed then. A chain without both nodes yields no figures.
TChainLatencies computeChainLatencies(const std::vector<const TNetworkElement*>& chain);

float delayOf(const TElementLatency& latency, TPacketDirection direction);
float shareOf(const TElementLatency& latency, TPacketDirection direction);
float totalOf(const TLatencyTotals& totals, TPacketDirection direction);
