#pragma once

#include "path/ElementDelay.h"

#include <string>
#include <vector>

// The three ways a packet can travel the chain; the order is that of the
// direction choice on the statistics tab.
enum TPacketDirection
{
    pdAtoB,      // node A's packet to node B
    pdBtoA,      // node B's packet to node A
    pdRoundTrip, // both packets, both processing times
};

// What the computation leaves on an element: its delay in seconds for each
// packet direction and its fraction of that direction's total.
struct TElementLatency
{
    float DelayAtoB = 0;
    float DelayRoundTrip = 0;
    float DelayBtoA = 0;
    float ShareAtoB = 0;
    float ShareRoundTrip = 0;
    float ShareBtoA = 0;
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
TChainLatencies computeChainLatencies(const std::vector<const TChainElement*>& chain);

float delayOf(const TElementLatency& latency, TPacketDirection direction);
float shareOf(const TElementLatency& latency, TPacketDirection direction);
float totalOf(const TLatencyTotals& totals, TPacketDirection direction);

// How the statistics table writes the figures: a delay as seconds with seven
// decimals, after rounding to seven significant digits ("0.0012346"), and a
// share as a percentage with one decimal ("12.3%").
std::string formatDelay(float seconds);
std::string formatShare(float share);
// The delay in milliseconds with four decimals, rounded as formatDelay
// rounds the seconds: the same digits, the point three places on
// ("0.0012346" gives "1.2346").
std::string formatDelayMilliseconds(float seconds);
