// zentrix-cli latency: the latency calculator's statistics of a chain of
// networks between node A and node B, for the three packet directions.

#include "cli/Command.h"
#include "cli/StoredChain.h"

#include "core/Errors.h"
#include "core/FloatConversions.h"
#include "core/Text.h"
#include "path/ChainValue.h"
#include "path/LatencyComputation.h"
#include "path/StatisticsRows.h"
#include "path/TopologyTable.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

namespace {

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
    if (!text::readNumber(text, INT32_MAX, value))
        return false;
    amount = int32_t(value);
    return true;
}

// BYTES[:MS], as the properties dialog of a node takes them, into the node.
TNetworkElement readNode(const std::string& text, const char* option, TNetworkElement node)
{
    if (!text.empty()) {
        const std::vector<std::string> parts = splitAtColons(text);
        if (parts.size() > 2 || !readAmount(parts[0], node.PacketSize) ||
            (parts.size() == 2 && !readAmount(parts[1], node.ProcessTime)))
            throwBadToken(text, std::string("BYTES or BYTES:MS for ") + option +
                                    ": a packet size in bytes and a processing time in ms, "
                                    "each 0 to 2147483647");
    }
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
TNetworkElement readNetwork(const std::string& text)
{
    const std::vector<std::string> parts = splitAtColons(text);
    const TTopology* topology = findTopology(parts[0]);
    if (!topology)
        throwBadToken(parts[0], "a topology for --network: " + topologyNames());
    if (parts.size() > 3)
        throwBadToken(text, "NAME, NAME:MBPS or NAME:MBPS:MS for --network");

    TNetworkElement element = TChainValue::freshNetwork();
    element.Kind = topology->Kind;
    element.NetworkName = topology->Text;
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
    return element;
}

TChainValue chainOfOptions(const LatencyOptions& options)
{
    // The window's first start, with what the options give.
    TChainValue chain = firstRunChain();
    chain.setElement(0, readNode(options.nodeA, "--node-a", chain.nodeA()));
    std::vector<TNetworkElement> networks;
    for (const std::string& network : options.networks) {
        if (networks.size() == size_t(maxNetworks))
            throwBadToken(network, "at most " + std::to_string(maxNetworks) +
                                       " networks: the chain has room for no more");
        networks.push_back(readNetwork(network));
    }
    if (networks.empty())
        throw UsageError("--network: expected at least one network between the nodes, "
                         "or --settings FILE");
    chain.replaceNetworks(networks);
    // Each network as the properties dialog's OK gives it: labelled by the chain.
    for (int position = 1; position <= chain.networkCount(); ++position)
        chain.setElement(position, chain.at(position));
    chain.setElement(chain.count() - 1, readNode(options.nodeB, "--node-b", chain.nodeB()));
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

// Figures are JSON numbers; "NAN" and "INF" are not.
bool isFigure(const std::string& text)
{
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text.back()));
}

int runLatency(Report& report, const LatencyOptions& options)
{
    TChainValue chain =
        options.settings.empty() ? chainOfOptions(options) : readStoredChain(options.settings);
    std::vector<const TChainElement*> elements;
    for (const TNetworkElement& element : chain.elements())
        elements.push_back(&element);
    TChainLatencies latencies;
    try {
        latencies = computeChainLatencies(elements);
    } catch (const EZentrixError& e) {
        // The round trip carries both packets at once.
        throw UsageError(std::string(e.what()) + ": node A's and node B's packet sizes (" +
                         std::to_string(chain.nodeA().PacketSize) + " and " +
                         std::to_string(chain.nodeB().PacketSize) +
                         " bytes) together pass 2147483647");
    }
    chain.setLatencies(latencies.Elements);

    const TDelayUnit unit = options.milliseconds ? TDelayUnit::Milliseconds : TDelayUnit::Seconds;
    std::vector<std::vector<TStatisticsRow>> tables;
    size_t widths[3] = {0, 0, 0};
    for (const Direction& direction : Directions) {
        tables.push_back(
            statisticsRows(chain.elements(), latencies.Totals, direction.direction, unit));
        for (const TStatisticsRow& row : tables.back()) {
            widths[0] = std::max(widths[0], row.Element.size());
            widths[1] = std::max(widths[1], row.Delay.size());
            widths[2] = std::max(widths[2], row.Percent.size());
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
    const bool oneTable = report.dataFormat();
    if (oneTable)
        report.beginTable({}, "statistics", columns);
    uint64_t listed = 0;
    for (size_t d = 0; d < tables.size(); ++d) {
        if (!oneTable) {
            if (d > 0)
                report.gap();
            report.beginTable(
                {{"", {{"direction", "Packet Direction", Value::of(Directions[d].text)}}}},
                "statistics", columns);
        }
        for (const TStatisticsRow& row : tables[d]) {
            const std::string share = row.Percent.substr(0, row.Percent.size() - 1);
            const Cell cells[] = {{Directions[d].key},
                                  {row.Element},
                                  {row.Delay, isFigure(row.Delay)},
                                  {row.Percent},
                                  {share, isFigure(share)}};
            report.row(cells);
            ++listed;
        }
        if (!oneTable)
            report.endTable(tables[d].size(), Value::integer(int64_t(tables[d].size())), false,
                            "rows");
    }
    if (oneTable)
        report.endTable(listed, Value::integer(int64_t(listed)), false, "rows");
    return 0;
}

} // namespace

void addLatencyCommand(CLI::App& app, Command& chosen)
{
    auto options = std::make_shared<LatencyOptions>();
    CLI::App* latency = app.add_subcommand(
        "latency", "How long a packet takes along a path: a client (node A), up to " +
                       std::to_string(maxNetworks) +
                       " networks and a server (node B), with each one's delay and share of "
                       "the total from A to B, from B to A and for the round trip");
    if (!chosen.fills(*latency))
        return;
    const TChainValue firstRun = firstRunChain();
    const auto nodeDefault = [](const TNetworkElement& node) {
        return std::to_string(node.PacketSize) + ":" + std::to_string(node.ProcessTime);
    };
    CLI::Option* nodeA =
        latency
            ->add_option("--node-a", options->nodeA,
                         "Node A (the client): its packet size in bytes and processing time in "
                         "ms (default " +
                             nodeDefault(firstRun.nodeA()) + ")")
            ->type_name("BYTES[:MS]");
    CLI::Option* network =
        latency
            ->add_option("--network", options->networks,
                         "A network, once per network (at most " + std::to_string(maxNetworks) +
                             ") in the order the packet from node A passes them: its topology (" +
                             topologyNames() +
                             "), bandwidth in Mbps and propagation delay in ms (defaults: "
                             "those the window fills in for the topology)")
            ->type_name("NAME[:MBPS[:MS]]");
    CLI::Option* nodeB =
        latency
            ->add_option("--node-b", options->nodeB,
                         "Node B (the server): its packet size in bytes and processing time in "
                         "ms (default " +
                             nodeDefault(firstRun.nodeB()) + ")")
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
    addFormatOptions(*latency, chosen, {true, false});
    latency->footer(
        "Topology names ignore letter case; a name with a blank goes in quotes. A LAN "
        "(Ethernet, FDDI, HIPPI, Token Ring) has no propagation delay. A node's delay is its "
        "processing time; a network's is its packet's transmission time at the bandwidth "
        "plus its propagation delay. One table per packet direction, to the digit Zentrix's "
        "window shows; --tsv gives the window's copy of each, --json and --csv one table "
        "with the direction in a column.\n\n"
        "Examples:\n"
        "  zentrix-cli latency --node-a 64:10 --network Ethernet:10 \\\n"
        "      --network T1 --node-b 1024:20\n"
        "  zentrix-cli latency --network Satellite:0.512 \\\n"
        "      --network \"Frame Relay:1.544:20\" --ms\n"
        "  zentrix-cli latency --csv \\\n"
        "      --settings ~/.config/Qorvel\\ Group/Zentrix.conf");
    latency->callback([options, &chosen] {
        chosen.run = [options](Report& report) { return runLatency(report, *options); };
    });
}
