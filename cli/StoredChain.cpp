// The latency chain of the window's settings file: the layout read by the
// window's own reader (core/LatencyLayout, with its repairs of damaged
// records) from the file, then made into a chain as the window restores it.

#include "cli/Command.h"
#include "cli/LatencyChain.h"
#include "cli/SettingsFile.h"

#include "core/ElementLabel.h"
#include "core/LatencyLayout.h"

namespace {

const char* const UnknownNetworkLabel = "<Unknown Network>";

class SettingsFileSource : public TLayoutSource
{
public:
    explicit SettingsFileSource(const SettingsFile& file) : FFile(file) {}

    int32_t ReadInteger(const std::string& name) override { return FFile.ReadInteger(name); }
    std::string ReadString(const std::string& name) override { return FFile.ReadString(name); }
    std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t size) override
    {
        const std::string bytes = FFile.ReadBinaryData(name, size);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }

private:
    const SettingsFile& FFile;
};

LatencyChainElement node(TNetworkButtonKind kind, const char* name, int32_t packetSize,
                         int32_t processTime)
{
    LatencyChainElement element;
    element.Element.Kind = kind;
    element.Element.PacketSize = packetSize;
    element.Element.ProcessTime = processTime;
    element.Label = name + nodeLabelSuffix(packetSize);
    return element;
}

// A node without its record keeps the values it was made with.
LatencyChainElement storedNode(const std::optional<TNodeRecord>& record, TNetworkButtonKind kind,
                               const char* name)
{
    const TChainElement made;
    return record ? node(kind, name, record->PacketSize, record->ProcessTime)
                  : node(kind, name, made.PacketSize, made.ProcessTime);
}

// A fresh network, with what the stored one gives.
LatencyChainElement storedNetwork(const TStoredNetwork& stored)
{
    LatencyChainElement network{storedNetworkTiming(stored), UnknownNetworkLabel};
    if (stored.Name)
        network.Label = *stored.Name + networkLabelSuffix(network.Element.Bandwidth);
    return network;
}

// The names the window stores: Calculator, NumNetworks, NodeA, NodeB,
// Network<n> and Network<n>Name.
bool isWindowValue(const std::string& name)
{
    if (name == "Calculator" || name == "NumNetworks" || name == "NodeA" || name == "NodeB")
        return true;
    const std::string network = "Network";
    if (name.compare(0, network.size(), network) != 0)
        return false;
    size_t end = network.size();
    while (end < name.size() && name[end] >= '0' && name[end] <= '9')
        ++end;
    return end > network.size() && (end == name.size() || name.substr(end) == "Name");
}

} // namespace

LatencyChain readStoredChain(const std::string& path)
{
    const SettingsFile file(path);
    if (!file.empty() && !file.HasName(isWindowValue))
        throwBadToken(path, "the window's settings file: this one holds values, but none of the "
                            "window's (Calculator, NumNetworks, NodeA, NodeB, Network1, ...)");
    if (file.empty()) {
        // Nothing stored: the window's first start.
        return {node(nbDesktopCPU, NodeAName, 64, 0),
                {TChainElement(), UnknownNetworkLabel},
                node(nbTowerCPU, NodeBName, 1024, 0)};
    }
    SettingsFileSource source(file);
    TLatencyLayout layout;
    readLatencyLayout(source, layout);

    LatencyChain chain{storedNode(layout.NodeA, nbDesktopCPU, NodeAName)};
    for (const TStoredNetwork& stored : layout.Networks)
        chain.push_back(storedNetwork(stored));
    // The chain always holds a network: without one stored, a fresh one.
    if (layout.Networks.empty())
        chain.push_back({TChainElement(), UnknownNetworkLabel});
    chain.push_back(storedNode(layout.NodeB, nbTowerCPU, NodeBName));
    return chain;
}
