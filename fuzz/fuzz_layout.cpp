// Reads the latency layout from a store whose every value is arbitrary: of
// any length, or unreadable. Whatever the store holds, reading either
// succeeds or stops with the store's own message, and what it leaves is a
// layout the calculator can show: at most fourteen networks, each of a
// network kind, with a finite bandwidth that is not negative, no negative
// size, time or delay, and every element on the setup panel. That layout,
// written and read again, comes back the same.

#include "core/Errors.h"
#include "fuzz/FuzzSupport.h"
#include "path/LatencyLayout.h"

#include <cmath>
#include <map>

namespace {

// Each read takes its answer from the input: a value, or a refusal.
class FuzzStore : public TLayoutSource
{
public:
    explicit FuzzStore(FuzzInput& input) : FInput(input) {}

    int32_t ReadInteger(const std::string& name) override
    {
        refuseSometimes(name);
        // Small counts are the interesting ones, large ones must be bounded.
        const uint8_t shape = FInput.byte();
        return shape < 192 ? int32_t(shape % 20) - 2 : int32_t(FInput.u32());
    }
    std::string ReadString(const std::string& name) override
    {
        refuseSometimes(name);
        return FInput.text(40);
    }
    std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t size) override
    {
        refuseSometimes(name);
        const std::string bytes = FInput.text(size);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }

private:
    void refuseSometimes(const std::string& name)
    {
        if (FInput.byte() == 0xff)
            throw EZentrixError("Invalid data type for '" + name + "'");
    }

    FuzzInput& FInput;
};

class MemoryStore : public TLayoutSource, public TLayoutSink
{
public:
    int32_t ReadInteger(const std::string& name) override { return FIntegers.at(name); }
    std::string ReadString(const std::string& name) override { return FStrings[name]; }
    std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t) override
    {
        return FBytes[name];
    }
    void WriteInteger(const std::string& name, int32_t value) override { FIntegers[name] = value; }
    void WriteString(const std::string& name, const std::string& value) override
    {
        FStrings[name] = value;
    }
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& bytes) override
    {
        FBytes[name] = bytes;
    }

private:
    std::map<std::string, int32_t> FIntegers;
    std::map<std::string, std::string> FStrings;
    std::map<std::string, std::vector<uint8_t>> FBytes;
};

std::string describe(const TLatencyLayout& layout)
{
    return std::to_string(layout.Networks.size()) + " networks";
}

void checkShowable(const TLatencyLayout& layout)
{
    const std::string context = describe(layout);
    FUZZ_CHECK(layout.Networks.size() <= size_t(maxNetworks), context);
    for (const auto& node : {layout.NodeA, layout.NodeB})
        FUZZ_CHECK(!node || (node->PacketSize >= 0 && node->ProcessTime >= 0), context);
    for (const TStoredNetwork& network : layout.Networks) {
        if (!network.Record)
            continue;
        const TNetworkRecord& record = *network.Record;
        FUZZ_CHECK(record.Kind < networkButtonKindCount, context);
        FUZZ_CHECK(!isNodeKind(TNetworkButtonKind(record.Kind)), context);
        FUZZ_CHECK(std::isfinite(record.Bandwidth) && record.Bandwidth >= 0, context);
        FUZZ_CHECK(record.PropagationDelay >= 0, context);
        FUZZ_CHECK(record.Left >= 0 && record.Left + elementSize <= setupPanelWidth, context);
        FUZZ_CHECK(record.Top >= 0 && record.Top + elementSize <= setupPanelHeight, context);
    }
}

void checkReadsBack(const TLatencyLayout& layout)
{
    MemoryStore store;
    writeLatencyLayout(store, layout);
    TLatencyLayout again;
    readLatencyLayout(store, again);
    const std::string context = describe(layout);
    FUZZ_CHECK(again.Networks.size() == layout.Networks.size(), context);
    FUZZ_CHECK(bool(again.NodeA) == bool(layout.NodeA), context);
    if (layout.NodeA)
        FUZZ_CHECK(encodeNodeRecord(*again.NodeA) == encodeNodeRecord(*layout.NodeA), context);
    for (size_t i = 0; i < layout.Networks.size(); ++i) {
        const TStoredNetwork& before = layout.Networks[i];
        const TStoredNetwork& after = again.Networks[i];
        FUZZ_CHECK(bool(after.Record) == bool(before.Record), context);
        if (before.Record)
            FUZZ_CHECK(encodeNetworkRecord(*after.Record) == encodeNetworkRecord(*before.Record),
                       context);
        // A name that was never read is written, and read back, empty.
        FUZZ_CHECK(after.Name == before.Name.value_or(std::string()), context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    FuzzStore store(input);
    TLatencyLayout layout;
    const std::string error = errorOf([&] { readLatencyLayout(store, layout); });
    FUZZ_CHECK(error.empty() || error.rfind("Invalid data type for '", 0) == 0, shown(error));
    checkShowable(layout);
    checkReadsBack(layout);
    return 0;
}
