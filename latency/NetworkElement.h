#pragma once

#include "core/ElementDelay.h"
#include "core/LatencyComputation.h"

#include <QString>

#include <cstdint>

// Name of the kind's picture, e.g. "ETHERNET" for ":/bitmaps/ETHERNET.svg".
const char* kindPictureName(TNetworkButtonKind kind);
QString kindPicturePath(TNetworkButtonKind kind);

// The values of one element of the chain, kept apart from its button: what
// its delay depends on, its name, its list choices and its last figures.
struct TNetworkElement : TChainElement
{
    QString NetworkName = QStringLiteral("<Unknown Network>");
    int16_t BandwidthIndex = -1; // entry of the kind's bandwidth list, -1 if typed or unset
    int16_t TopologyIndex = -1;  // entry of the topology list, -1 if typed or unset
    TElementLatency Latency;
};

// The element's label: "Ethernet (10 Mbps)" for a network, "Node A (64 bytes)" for a node.
QString networkLabel(const QString& networkName, float bandwidth);
QString nodeLabel(const QString& networkName, int32_t packetSize);
