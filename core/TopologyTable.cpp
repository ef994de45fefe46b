#include "latency/TopologyTable.h"

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

QStringList topologyTexts()
{
    QStringList texts;
    for (const TTopology& topology : topologies)
        texts << QString::fromLatin1(topology.Text);
    return texts;
}

QStringList bandwidthList(TNetworkButtonKind kind)
{
    // The rates of wide-area carrier services, shared by several kinds.
    static const QStringList carrierRates = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                                             "1.544", "6.312", "44.736", "274.176"};
    // Every rate of every list, for a topology of the user's own.
    static const QStringList allRates = {
        "0.056", "0.064", "0.128",  "0.256", "0.512",  "1.024",   "1.544",  "4",   "6.312", "10",
        "16",    "25",    "44.736", "100",   "155.52", "274.176", "622.08", "800", "1000",  "1600"};
    switch (kind) {
    case nb56Switched:
        return {"0.056"};
    case nbATM:
    case nbBISDN:
        return {"25", "155.52", "622.08"};
    case nbDQDB:
    case nbSMDS:
        return {"44.736"};
    case nbEthernet:
        return {"10", "100", "1000"};
    case nbFDDI:
        return {"100"};
    case nbHIPPI:
        return {"800", "1600"};
    case nbTokenRing:
        return {"4", "16"};
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
    return {};
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

int indexOfText(const QStringList& list, const QString& text)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
