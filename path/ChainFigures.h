#pragma once

#include <string>

class TChainValue;

// What the latency chain tells a path-performance calculation: its
// bottleneck, the network with the smallest bandwidth above 0, and its round
// trip, the latency computation's round-trip total for the nodes' packet
// sizes. The figures are the ones the latency calculator shows (the
// bandwidth as its label writes it, the round trip as its statistics table
// writes it in milliseconds), so that what the user reads is what is used.
struct TChainFigures
{
    int Bottleneck = -1;         // the network's position in the chain; -1: none has a bandwidth
    std::string BottleneckLabel; // "T1 (1.544 Mbps)"
    double BandwidthMbps = 0;
    std::string BandwidthText; // "1.544"
    bool RoundTripKnown = false;
    double RoundTripMs = 0;
    std::string RoundTripText; // "41.5397"
    std::string Problem;       // why the round trip is not known
};

TChainFigures chainFigures(const TChainValue& chain);
