#pragma once

#include "core/ElementDelay.h"
#include "core/LatencyComputation.h"

#include <QPoint>
#include <QString>

#include <cstdint>

// Name of the kind's picture, e.g. "ETHERNET" for ":/bitmaps/ETHERNET.svg".
const char* kindPictureName(TNetworkButtonKind kind);
QString kindPicturePath(TNetworkButtonKind kind);

// The values of one element of the chain: what its delay depends on, its
// name, label and place on the setup panel, its list choices and its last
// figures. The chain holds these; the buttons on the setup panel show them.
struct TNetworkElement : TChainElement
{
    QString NetworkName = QStringLiteral("<Unknown Network>");
    // The label shown for the element everywhere (hint, table rows, legend,
    // menus). Whoever changes the values it is made of rebuilds it, with
    // networkLabel() or nodeLabel(); a fresh network shows its name alone.
    QString Hint = NetworkName;
    QPoint Position;             // top-left corner on the setup panel, pixels
    int16_t BandwidthIndex = -1; // entry of the kind's bandwidth list, -1 if typed or unset
    int16_t TopologyIndex = -1;  // entry of the topology list, -1 if typed or unset
    TElementLatency Latency;
};

// The element's label: "Ethernet (10 Mbps)" for a network, "Node A (64 bytes)" for a node.
QString networkLabel(const QString& networkName, float bandwidth);
QString nodeLabel(const QString& networkName, int32_t packetSize);
