#pragma once

#include <cstdint>

// The kinds of element in the latency chain, stored as one byte in this
// order (the settings store writes the ordinal).
enum TNetworkButtonKind : uint8_t
{
    nb56Switched,
    nbATM,
    nbBISDN,
    nbDQDB,
    nbEthernet,
    nbFDDI,
    nbFrameRelay,
    nbHIPPI,
    nbOther,
    nbSatellite,
    nbSMDS,
    nbTCarrier,
    nbTokenRing,
    nbUnknownNetwork,
    nbX25,
    nbDesktopCPU,
    nbTowerCPU,
};

constexpr int networkButtonKindCount = nbTowerCPU + 1;

// The two nodes are the chain's ends; every other kind is a network.
constexpr bool isNodeKind(TNetworkButtonKind kind)
{
    return kind == nbDesktopCPU || kind == nbTowerCPU;
}

// The values an element's delay depends on. The latency calculator's
// elements add their name and list choices to it (path/LatencyElement.h).
struct TChainElement
{
    TNetworkButtonKind Kind = nbUnknownNetwork;
    float Bandwidth = 0;          // Mbps; networks only
    int32_t PacketSize = 512;     // bytes; nodes only
    int32_t ProcessTime = 0;      // ms; nodes only
    int32_t PropagationDelay = 0; // ms; networks only

    bool isNode() const { return isNodeKind(Kind); }

    // Seconds one packet of `packetSize` bytes spends in this element: a
    // node's processing time, or a network's propagation delay plus the
    // transmission time (and Ethernet's 160 bit times of framing overhead).
    // Each intermediate result is rounded to single precision, so the
    // figures agree to the last printed digit with the tables users compare.
    float Delay(int32_t packetSize) const;
};
