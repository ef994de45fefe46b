// The latency chain of the window's settings file, read as the window reads
// it when it starts: the node records, the number of networks, and each
// network's record and name, with the same repairs of damaged values.
//
// This decoder stands in for the shared one of the latency layout while that
// is not in core; it is kept apart so that it can be swapped for it whole.

#include "cli/LatencyChain.h"
#include "cli/SettingsFile.h"

#include "core/ElementLabel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const char* const UnknownNetworkLabel = "<Unknown Network>";
constexpr size_t NodeRecordSize = 8;
constexpr size_t NetworkRecordSize = 20;
constexpr int32_t MaxNetworks = 14;

int32_t littleEndian(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return static_cast<int32_t>(value);
}

// A negative size, time or delay has no meaning; nor has a bandwidth that is
// negative or no number, and a kind byte that names no network.
int32_t storedAmount(int32_t amount)
{
    return std::max<int32_t>(amount, 0);
}

float storedBandwidth(int32_t bits)
{
    float bandwidth = 0;
    std::memcpy(&bandwidth, &bits, sizeof bandwidth);
    return std::isfinite(bandwidth) && bandwidth >= 0 ? bandwidth : 0.0f;
}

TNetworkButtonKind storedNetworkKind(unsigned char kind)
{
    if (kind >= networkButtonKindCount || isNodeKind(static_cast<TNetworkButtonKind>(kind)))
        return nbUnknownNetwork;
    return static_cast<TNetworkButtonKind>(kind);
}

// A record shorter than its size is not trusted at all: the node keeps the
// values it was made with.
LatencyChainElement storedNode(const SettingsFile& file, const std::string& name,
                               const char* nodeName, TNetworkButtonKind kind)
{
    LatencyChainElement node;
    node.Element.Kind = kind;
    const std::string record = file.ReadBinaryData(name, NodeRecordSize);
    if (record.size() == NodeRecordSize) {
        node.Element.PacketSize = storedAmount(littleEndian(record, 0));
        node.Element.ProcessTime = storedAmount(littleEndian(record, 4));
    }
    node.Label = nodeName + nodeLabelSuffix(node.Element.PacketSize);
    return node;
}

LatencyChainElement storedNetwork(const SettingsFile& file, int32_t n)
{
    const std::string value = "Network" + std::to_string(n);
    LatencyChainElement network;
    const std::string record = file.ReadBinaryData(value, NetworkRecordSize);
    if (record.size() == NetworkRecordSize) {
        network.Element.Bandwidth = storedBandwidth(littleEndian(record, 0));
        network.Element.Kind = storedNetworkKind(static_cast<unsigned char>(record[4]));
        network.Element.PropagationDelay = storedAmount(littleEndian(record, 12));
    }
    network.Label = file.ReadString(value + "Name") + networkLabelSuffix(network.Element.Bandwidth);
    return network;
}

} // namespace

LatencyChain readStoredChain(const std::string& path)
{
    const SettingsFile file(path);
    LatencyChain chain;
    if (file.empty()) {
        // Nothing stored: the window's first start, with one network whose
        // topology was never chosen.
        chain.resize(3);
        chain[0].Element = {nbDesktopCPU, 0, 64, 0, 0};
        chain[0].Label = NodeAName + nodeLabelSuffix(64);
        chain[1].Label = UnknownNetworkLabel;
        chain[2].Element = {nbTowerCPU, 0, 1024, 0, 0};
        chain[2].Label = NodeBName + nodeLabelSuffix(1024);
        return chain;
    }
    chain.push_back(storedNode(file, "NodeA", NodeAName, nbDesktopCPU));
    const LatencyChainElement nodeB = storedNode(file, "NodeB", NodeBName, nbTowerCPU);
    // The chain never holds more networks than it has room for.
    const int32_t count = std::min(file.ReadInteger("NumNetworks"), MaxNetworks);
    for (int32_t n = 1; n <= count; ++n)
        chain.push_back(storedNetwork(file, n));
    // The chain always holds a network: without one stored, a fresh one.
    if (chain.size() == 1)
        chain.push_back({TChainElement(), UnknownNetworkLabel});
    chain.push_back(nodeB);
    return chain;
}
