// The latency chain of the window's settings file: the layout read by the
// window's own reader (core/LatencyLayout, with its repairs of damaged
// records) from the file, then made into a chain as the window restores it.

#include "cli/StoredChain.h"

#include "cli/Command.h"
#include "cli/SettingsFile.h"
#include "path/LatencyLayout.h"
#include "path/TopologyTable.h"

namespace {

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

TChainValue readStoredChain(const std::string& path)
{
    const SettingsFile file(path);
    if (!file.IsEmpty() && !file.HasName(isWindowValue))
        throwBadToken(path, "the window's settings file: this one holds values, but none of the "
                            "window's (Calculator, NumNetworks, NodeA, NodeB, Network1, ...)");
    // Nothing stored: the window's first start.
    if (file.IsEmpty())
        return firstRunChain();
    SettingsFileSource source(file);
    TLatencyLayout layout;
    readLatencyLayout(source, layout);
    // The names a restore offers in the properties dialog play no part here.
    TTopologyList offered;
    return restoredChain(TChainValue(), layout, offered);
}
