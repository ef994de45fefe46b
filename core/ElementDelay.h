#pragma once

#include <QString>

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

// Name of the kind's picture, e.g. "ETHERNET" for ":/bitmaps/ETHERNET.svg".
const char* kindPictureName(TNetworkButtonKind kind);
QString kindPicturePath(TNetworkButtonKind kind);

// What the latency computation leaves on an element: its delay in seconds
// for each packet direction and its fraction of that direction's total.
struct TElementLatency
{
    float DelayAtoB = 0;
    float DelayRoundTrip = 0;
    float DelayBtoA = 0;
    float ShareAtoB = 0;
    float ShareRoundTrip = 0;
    float ShareBtoA = 0;
};

// The values of one element of the chain, kept apart from its button so the
// delay arithmetic can be checked on its own.
struct TNetworkElement
{
    TNetworkButtonKind Kind = nbUnknownNetwork;
    QString NetworkName = QStringLiteral("<Unknown Network>");
    float Bandwidth = 0;          // Mbps; networks only
    int32_t PacketSize = 512;     // bytes; nodes only
    int32_t ProcessTime = 0;      // ms; nodes only
    int32_t PropagationDelay = 0; // ms; networks only
    int16_t BandwidthIndex = -1;  // entry of the kind's bandwidth list, -1 if typed or unset
    int16_t TopologyIndex = -1;   // entry of the topology list, -1 if typed or unset
    TElementLatency Latency;

    bool isNode() const { return isNodeKind(Kind); }

    // Seconds one packet of `packetSize` bytes spends in this element: a
    // node's processing time, or a network's propagation delay plus the
    // transmission time (and Ethernet's 160 bit times of framing overhead).
    // Each intermediate result is rounded to single precision, so the
    // figures agree to the last printed digit with the tables users compare.
    float Delay(int32_t packetSize) const;
};

// The element's label: "Ethernet (10 Mbps)" for a network, "Node A (64 bytes)" for a node.
QString networkLabel(const QString& networkName, float bandwidth);
QString nodeLabel(const QString& networkName, int32_t packetSize);
