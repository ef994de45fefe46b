#include "path/LatencyLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void putInt(std::vector<uint8_t>& bytes, size_t offset, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t getInt(const std::vector<uint8_t>& bytes, size_t offset)
{
    uint32_t bits = 0;
    for (size_t i = 0; i < 4; ++i)
        bits |= uint32_t(bytes[offset + i]) << (8 * i);
    return static_cast<int32_t>(bits);
}

int32_t notNegative(int32_t amount)
{
    return std::max<int32_t>(amount, 0);
}

int32_t onPanel(int32_t edge, int32_t panelExtent)
{
    return std::clamp<int32_t>(edge, 0, panelExtent - elementSize);
}

std::string networkValue(int n)
{
    return "Network" + std::to_string(n);
}

std::string networkNameValue(int n)
{
    return networkValue(n) + "Name";
}

} // namespace

std::vector<uint8_t> encodeNodeRecord(const TNodeRecord& record)
{
    std::vector<uint8_t> bytes(TNodeRecord::size, 0);
    putInt(bytes, 0, record.PacketSize);
    putInt(bytes, 4, record.ProcessTime);
    return bytes;
}

std::vector<uint8_t> encodeNetworkRecord(const TNetworkRecord& record)
{
    std::vector<uint8_t> bytes(TNetworkRecord::size, 0);
    int32_t bits;
    std::memcpy(&bits, &record.Bandwidth, sizeof bits);
    putInt(bytes, 0, bits);
    bytes[4] = record.Kind;
    putInt(bytes, 8, record.Left);
    putInt(bytes, 12, record.PropagationDelay);
    putInt(bytes, 16, record.Top);
    return bytes;
}

std::optional<TNodeRecord> decodeNodeRecord(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < TNodeRecord::size)
        return std::nullopt;
    TNodeRecord record;
    record.PacketSize = getInt(bytes, 0);
    record.ProcessTime = getInt(bytes, 4);
    return record;
}

std::optional<TNetworkRecord> decodeNetworkRecord(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < TNetworkRecord::size)
        return std::nullopt;
    TNetworkRecord record;
    const int32_t bits = getInt(bytes, 0);
    std::memcpy(&record.Bandwidth, &bits, sizeof bits);
    record.Kind = bytes[4];
    record.Left = getInt(bytes, 8);
    record.PropagationDelay = getInt(bytes, 12);
    record.Top = getInt(bytes, 16);
    return record;
}

TNodeRecord repairedNode(const TNodeRecord& record)
{
    TNodeRecord repaired;
    repaired.PacketSize = notNegative(record.PacketSize);
    repaired.ProcessTime = notNegative(record.ProcessTime);
    return repaired;
}

TChainElement storedNetworkTiming(const TStoredNetwork& stored)
{
    TChainElement timing;
    if (stored.Record) {
        timing.Bandwidth = stored.Record->Bandwidth;
        timing.Kind = static_cast<TNetworkButtonKind>(stored.Record->Kind);
        if (stored.Name)
            timing.PropagationDelay = stored.Record->PropagationDelay;
    }
    return timing;
}

TNetworkRecord repairedNetwork(const TNetworkRecord& record)
{
    TNetworkRecord repaired = record;
    if (!std::isfinite(record.Bandwidth) || record.Bandwidth < 0)
        repaired.Bandwidth = 0;
    if (record.Kind >= networkButtonKindCount ||
        isNodeKind(static_cast<TNetworkButtonKind>(record.Kind)))
        repaired.Kind = nbUnknownNetwork;
    repaired.Left = onPanel(record.Left, setupPanelWidth);
    repaired.PropagationDelay = notNegative(record.PropagationDelay);
    repaired.Top = onPanel(record.Top, setupPanelHeight);
    return repaired;
}

int storedNetworkCount(int32_t numNetworks)
{
    return std::clamp<int32_t>(numNetworks, 0, maxNetworks);
}

void readLatencyLayout(TLayoutSource& source, TLatencyLayout& layout)
{
    const auto node = [&source](const char* name) -> std::optional<TNodeRecord> {
        const auto record = decodeNodeRecord(source.ReadBinaryData(name, TNodeRecord::size));
        if (!record)
            return std::nullopt;
        return repairedNode(*record);
    };
    layout.NodeA = node("NodeA");
    layout.NodeB = node("NodeB");
    const int count = storedNetworkCount(source.ReadInteger("NumNetworks"));
    for (int n = 1; n <= count; ++n) {
        const auto record =
            decodeNetworkRecord(source.ReadBinaryData(networkValue(n), TNetworkRecord::size));
        TStoredNetwork& network = layout.Networks.emplace_back();
        if (record)
            network.Record = repairedNetwork(*record);
        network.Name = source.ReadString(networkNameValue(n));
    }
}

void writeLatencyLayout(TLayoutSink& sink, const TLatencyLayout& layout)
{
    const int count = static_cast<int>(layout.Networks.size());
    sink.WriteInteger("NumNetworks", count);
    if (layout.NodeA)
        sink.WriteBinaryData("NodeA", encodeNodeRecord(*layout.NodeA));
    if (layout.NodeB)
        sink.WriteBinaryData("NodeB", encodeNodeRecord(*layout.NodeB));
    for (int n = 1; n <= count; ++n) {
        const TStoredNetwork& network = layout.Networks[size_t(n - 1)];
        sink.WriteBinaryData(networkValue(n), network.Record ? encodeNetworkRecord(*network.Record)
                                                             : std::vector<uint8_t>());
        sink.WriteString(networkNameValue(n), network.Name.value_or(std::string()));
    }
}
