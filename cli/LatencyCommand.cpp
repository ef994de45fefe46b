// zentrix-cli latency: the latency calculator's statistics of a chain of
// networks between node A and node B, for the three packet directions.

#include "cli/Command.h"
#include "cli/LatencyChain.h"

#include "core/ElementLabel.h"
#include "core/Errors.h"
#include "core/FloatConversions.h"
#include "core/LatencyComputation.h"
#include "core/TopologyTable.h"
#include "ipaddress/AddressText.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

namespace {

// The chain holds node A, node B and at most this many networks between them.
constexpr size_t MaxNetworks = 14;

struct LatencyOptions
{
    std::string nodeA;
    std::string nodeB;
    std::vector<std::string> networks;
    std::string settings;
    bool milliseconds = false;
};

std::vector<std::string> splitAtColons(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The properties dialog's spin edits hold 0 to 2147483647.
bool readAmount(const std::string& text, int32_t& amount)
{
    uint64_t value = 0;
    if (!addresstext::readNumber(text, INT32_MAX, value))
        return false;
    amount = int32_t(value);
    return true;
}

// BYTES[:MS], as the properties dialog of a node takes them.
LatencyChainElement readNode(const std::string& text, const char* option, const char* name,
                             TNetworkButtonKind kind, int32_t packetSize)
{
    LatencyChainElement node;
    node.Element.Kind = kind;
    node.Element.PacketSize = packetSize;
    if (!text.empty()) {
        const std::vector<std::string> parts = splitAtColons(text);
        if (parts.size() > 2 || !readAmount(parts[0], node.Element.PacketSize) ||
            (parts.size() == 2 && !readAmount(parts[1], node.Element.ProcessTime)))
            throwBadToken(text, std::string("BYTES or BYTES:MS for ") + option +
                                    ": a packet size in bytes and a processing time in ms, "
                                    "each 0 to 2147483647");
    }
    node.Label = name + nodeLabelSuffix(node.Element.PacketSize);
    return node;
}

std::string topologyNames()
{
    std::string names;
    for (const TTopology& topology : topologies)
        names += std::string(names.empty() ? "" : ", ") + topology.Text;
    return names;
}

// NAME[:MBPS[:MS]], as the properties dialog takes them when a topology is
// chosen from its list: the topology's bandwidth and propagation delay
// unless others are given.
LatencyChainElement readNetwork(const std::string& text)
{
    const std::vector<std::string> parts = splitAtColons(text);
    const TTopology* topology = findTopology(parts[0]);
    if (!topology)
        throwBadToken(parts[0], "a topology for --network: " + topologyNames());
    if (parts.size() > 3)
        throwBadToken(text, "NAME, NAME:MBPS or NAME:MBPS:MS for --network");

    LatencyChainElement network;
    TChainElement& element = network.Element;
    element.Kind = topology->Kind;
    const std::string bandwidth = parts.size() > 1 ? parts[1] : topology->Bandwidth;
    try {
        element.Bandwidth = conv::strToSingle(bandwidth);
    } catch (const EZentrixError&) {
        element.Bandwidth = -1;
    }
    // As in the dialog, a bandwidth below zero (minus zero too) is no bandwidth.
    if (std::signbit(element.Bandwidth))
        throwBadToken(text, std::string("a bandwidth in Mbps for ") + topology->Text +
                                ", a number 0 or more (NAME:MBPS)");

    element.PropagationDelay = defaultPropagationDelay(topology->Kind).value_or(0);
    if (parts.size() > 2) {
        int32_t delay = 0;
        if (!readAmount(parts[2], delay))
            throwBadToken(text, "a propagation delay in ms, 0 to 2147483647 (NAME:MBPS:MS)");
        // A LAN's delay is greyed in the dialog and held at 0.
        if (delay != 0 && propagationDelayDisabled(topology->Kind))
            throwBadToken(text, std::string("no propagation delay for ") + topology->Text +
                                    ": a LAN's is held at 0");
        element.PropagationDelay = delay;
    }
    network.Label = topology->Text + networkLabelSuffix(element.Bandwidth);
    return network;
}

LatencyChain chainOfOptions(const LatencyOptions& options)
{
    // The window's first start: 64 and 1024 bytes, no processing time.
    LatencyChain chain{readNode(options.nodeA, "--node-a", NodeAName, nbDesktopCPU, 64)};
    for (const std::string& network : options.networks) {
        if (chain.size() == MaxNetworks + 1)
            throwBadToken(network, "at most " + std::to_string(MaxNetworks) +
                                       " networks: the chain has room for no more");
        chain.push_back(readNetwork(network));
    }
    chain.push_back(readNode(options.nodeB, "--node-b", NodeBName, nbTowerCPU, 1024));
    if (options.networks.empty())
        throw UsageError("--network: expected at least one network between the nodes, "
                         "or --settings FILE");
    return chain;
}

struct Direction
{
    TPacketDirection direction;
    const char* key;
    const char* text; // the window's choice, without its accelerator
};

const Direction Directions[] = {
    {pdAtoB, "a_to_b", "Node A   --> Node B"},
    {pdBtoA, "b_to_a", "Node A <--   Node B"},
    {pdRoundTrip, "round_trip", "Node A <--> Node B"},
};

// One row of a statistics table, as the window writes it.
struct StatisticsRow
{
    std::string element;
    std::string delay;
    std::string percent; // "64.9%"
};

// Figures are JSON numbers; "NAN" and "INF" are not.
bool isFigure(const std::string& text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text.back()));
}

int runLatency(Report& report, const LatencyOptions& options)
{
    const LatencyChain chain =
        options.settings.empty() ? chainOfOptions(options) : readStoredChain(options.settings);
    std::vector<const TChainElement*> elements;
    for (const LatencyChainElement& entry : chain)
        elements.push_back(&entry.Element);
    TChainLatencies latencies;
    try {
        latencies = computeChainLatencies(elements);
    } catch (const EZentrixError& e) {
        // The round trip carries both packets at once.
        throw UsageError(std::string(e.what()) + ": node A's and node B's packet sizes (" +
                         std::to_string(chain.front().Element.PacketSize) + " and " +
                         std::to_string(chain.back().Element.PacketSize) +
                         " bytes) together pass 2147483647");
    }

    const auto delayText = options.milliseconds ? formatDelayMilliseconds : formatDelay;
    std::vector<std::vector<StatisticsRow>> tables;
    size_t widths[3] = {0, 0, 0};
    for (const Direction& direction : Directions) {
        std::vector<StatisticsRow>& rows = tables.emplace_back();
        for (size_t i = 0; i < chain.size(); ++i) {
            const TElementLatency& latency = latencies.Elements[i];
            rows.push_back({chain[i].Label, delayText(delayOf(latency, direction.direction)),
                            formatShare(shareOf(latency, direction.direction))});
        }
        // The shares may not add up to exactly 100 after rounding; the total is.
        rows.push_back(
            {"Totals:", delayText(totalOf(latencies.Totals, direction.direction)), "100.0%"});
        for (const StatisticsRow& row : rows) {
            widths[0] = std::max(widths[0], row.element.size());
            widths[1] = std::max(widths[1], row.delay.size());
            widths[2] = std::max(widths[2], row.percent.size());
        }
    }

    using Show = Field::Show;
    const std::vector<Column> columns = {
        {"direction", "", 0, false, Show::DataOnly},
        {"element", "Network Element", widths[0]},
        {options.milliseconds ? "delay_ms" : "delay_sec",
         options.milliseconds ? "Delay (ms)" : "Delay (sec)", widths[1], true},
        {"percent", "Percent", widths[2], true, Show::TextOnly},
        {"percent", "", 0, false, Show::DataOnly},
    };
    // People and the window's copy get a table per direction; data gets one
    // table with the direction in a column.
    const bool oneTable = report.format() == Format::Json || report.format() == Format::Csv;
    if (oneTable)
        report.BeginTable({}, "statistics", columns);
    uint64_t listed = 0;
    for (size_t d = 0; d < tables.size(); ++d) {
        if (!oneTable) {
            if (d > 0)
                report.Gap();
            report.BeginTable(
                {{"", {{"direction", "Packet Direction", Value::Of(Directions[d].text)}}}},
                "statistics", columns);
        }
        for (const StatisticsRow& row : tables[d]) {
            const std::string share = row.percent.substr(0, row.percent.size() - 1);
            const Cell cells[] = {{Directions[d].key},
                                  {row.element},
                                  {row.delay, isFigure(row.delay)},
                                  {row.percent},
                                  {share, isFigure(share)}};
            report.Row(cells);
            ++listed;
        }
        if (!oneTable)
            report.EndTable(tables[d].size(), Value::Integer(int64_t(tables[d].size())), false,
                            "rows");
    }
    if (oneTable)
        report.EndTable(listed, Value::Integer(int64_t(listed)), false, "rows");
    return 0;
}

} // namespace

void addLatencyCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<LatencyOptions>();
    CLI::App* latency = app.add_subcommand(
        "latency", "How long a packet takes along a path: a client (node A), up to 14 "
                   "networks and a server (node B), with each one's delay and share of the "
                   "total from A to B, from B to A and for the round trip");
    CLI::Option* nodeA =
        latency
            ->add_option("--node-a", options->nodeA,
                         "Node A (the client): its packet size in bytes and processing time in "
                         "ms (default 64:0)")
            ->type_name("BYTES[:MS]");
    CLI::Option* network =
        latency
            ->add_option("--network", options->networks,
                         "A network, once per network (at most 14) in the order the packet "
                         "from node A passes them: its topology (" +
                             topologyNames() +
                             "), bandwidth in Mbps and propagation delay in ms (defaults: "
                             "those the window fills in for the topology)")
            ->type_name("NAME[:MBPS[:MS]]");
    CLI::Option* nodeB =
        latency
            ->add_option("--node-b", options->nodeB,
                         "Node B (the server): its packet size in bytes and processing time in "
                         "ms (default 1024:0)")
            ->type_name("BYTES[:MS]");
    latency
        ->add_option("--settings", options->settings,
                     "Read the chain from the window's settings file instead, as the window "
                     "does when it starts (~/.config/Qorvel Group/Zentrix.conf)")
        ->type_name("FILE")
        ->excludes(nodeA)
        ->excludes(network)
        ->excludes(nodeB);
    latency->add_flag("--ms", options->milliseconds,
                      "Delays in milliseconds instead of seconds (the same digits)");
    addFormatOptions(*latency, chosen, true);
    latency->footer(
        "Topology names ignore letter case; a name with a blank goes in quotes. A LAN "
        "(Ethernet, FDDI, HIPPI, Token Ring) has no propagation delay. A node's delay is its "
        "processing time; a network's is its packet's transmission time at the bandwidth "
        "plus its propagation delay. One table per packet direction, to the digit Zentrix's "
        "window shows; --tsv gives the window's copy of each, --json and --csv one table "
        "with the direction in a column.\n\n"
        "Examples:\n"
        "  zentrix-cli latency --node-a 64:10 --network Ethernet:10 --network T1 "
        "--node-b 1024:20\n"
        "  zentrix-cli latency --network Satellite:0.512 --network \"Frame Relay:1.544:20\" "
        "--ms\n"
        "  zentrix-cli latency --settings ~/.config/Qorvel\\ Group/Zentrix.conf --csv");
    latency->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runLatency(report, *options); };
    });
}
