#include "path/TopologyTable.h"

#include "core/FloatConversions.h"

#include <algorithm>

const TTopology topologies[topologyCount] = {
    {"56-Switched", nb56Switched, "0.056"},
    {"ATM", nbATM, "155.52"},
    {"B-ISDN", nbBISDN, "155.52"},
    {"DQDB", nbDQDB, "44.736"},
    {"Ethernet", nbEthernet, "10"},
    {"FDDI", nbFDDI, "100"},
    {"Frame Relay", nbFrameRelay, "1.544"},
    {"HIPPI", nbHIPPI, "800"},
    {"Satellite", nbSatellite, "0.512"},
    {"SMDS", nbSMDS, "44.736"},
    {"T1", nbTCarrier, "1.544"},
    {"T3", nbTCarrier, "44.736"},
    {"Token Ring", nbTokenRing, "16"},
    {"X.25", nbX25, "0.064"},
};

namespace {

// Lower case for the letters A to Z only, whatever the C locale says.
char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

const TTopology* findTopology(const std::string& text)
{
    for (const TTopology& topology : topologies) {
        if (sameTextIgnoringCase(topology.Text, text))
            return &topology;
    }
    return nullptr;
}

TTopologyList::TTopologyList()
{
    for (const TTopology& topology : topologies)
        FNames.emplace_back(topology.Text);
}

int TTopologyList::indexOf(const std::string& name) const
{
    for (size_t i = 0; i < FNames.size(); ++i) {
        if (sameTextIgnoringCase(FNames[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

int TTopologyList::add(const std::string& name)
{
    const int index = indexOf(name);
    if (index >= 0)
        return index;
    FNames.push_back(name);
    return size() - 1;
}

const std::vector<const char*>& kindBandwidths(TNetworkButtonKind kind)
{
    using Rates = std::vector<const char*>;
    static const Rates none;
    static const Rates switched56 = {"0.056"};
    static const Rates atm = {"25", "155.52", "622.08"};
    static const Rates dqdb = {"44.736"};
    static const Rates ethernet = {"10", "100", "1000"};
    static const Rates fddi = {"100"};
    static const Rates hippi = {"800", "1600"};
    static const Rates tokenRing = {"4", "16"};
    // The rates of wide-area carrier services, shared by several kinds.
    static const Rates carrierRates = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                                       "1.544", "6.312", "44.736", "274.176"};
    // Every rate of every list, for a topology of the user's own.
    static const Rates allRates = {
        "0.056", "0.064", "0.128",  "0.256", "0.512",  "1.024",   "1.544",  "4",   "6.312", "10",
        "16",    "25",    "44.736", "100",   "155.52", "274.176", "622.08", "800", "1000",  "1600"};
    switch (kind) {
    case nb56Switched:
        return switched56;
    case nbATM:
    case nbBISDN:
        return atm;
    case nbDQDB:
    case nbSMDS:
        return dqdb;
    case nbEthernet:
        return ethernet;
    case nbFDDI:
        return fddi;
    case nbHIPPI:
        return hippi;
    case nbTokenRing:
        return tokenRing;
    case nbFrameRelay:
    case nbSatellite:
    case nbTCarrier:
    case nbX25:
        return carrierRates;
    case nbOther:
        return allRates;
    case nbUnknownNetwork:
    case nbDesktopCPU:
    case nbTowerCPU:
        break;
    }
    return none;
}

int kindBandwidthIndex(TNetworkButtonKind kind, float bandwidth)
{
    const std::string text = conv::floatToStrGeneral(bandwidth);
    const std::vector<const char*>& rates = kindBandwidths(kind);
    for (size_t i = 0; i < rates.size(); ++i) {
        if (sameTextIgnoringCase(rates[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

bool propagationDelayDisabled(TNetworkButtonKind kind)
{
    return kind == nbEthernet || kind == nbFDDI || kind == nbHIPPI || kind == nbTokenRing;
}

std::optional<int32_t> defaultPropagationDelay(TNetworkButtonKind kind)
{
    switch (kind) {
    case nb56Switched:
    case nbOther:
    case nbX25:
        return 10;
    case nbATM:
    case nbDQDB:
    case nbSMDS:
        return 1;
    case nbFrameRelay:
        return 20;
    case nbSatellite:
        return 270;
    case nbTCarrier:
        return 5;
    case nbEthernet:
    case nbFDDI:
    case nbHIPPI:
    case nbTokenRing:
    case nbDesktopCPU:
    case nbTowerCPU:
        return 0;
    case nbBISDN:
    case nbUnknownNetwork:
        break;
    }
    return std::nullopt;
}
