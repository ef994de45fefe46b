#include "path/LatencyComputation.h"

#include "core/Conversions.h"
#include "core/FloatConversions.h"

#include <cmath>

namespace {

// A fraction of a direction's total. With nothing to share (a total of 0)
// every element's part is 0; a quotient that is not a number counts as 0 too.
float share(float delay, float total)
{
    if (total == 0)
        return 0;
    const long double quotient = static_cast<long double>(delay) / total;
    if (!std::isfinite(quotient) || std::fabs(quotient) > 1e30L)
        return 0;
    return static_cast<float>(quotient);
}

} // namespace

TChainLatencies computeChainLatencies(const std::vector<const TChainElement*>& chain)
{
    TChainLatencies result;
    if (chain.size() < 2)
        return result;
    const TChainElement& nodeA = *chain.front();
    const TChainElement& nodeB = *chain.back();
    const int32_t packetA = nodeA.PacketSize;
    const int32_t packetB = nodeB.PacketSize;
    // On the way back and forth most networks carry both packets at once.
    const int32_t bothPackets = conv::checkedAdd(packetA, packetB);

    result.Elements.resize(chain.size());
    TLatencyTotals& totals = result.Totals;
    for (size_t i = 1; i + 1 < chain.size(); ++i) {
        const TChainElement& network = *chain[i];
        TElementLatency& latency = result.Elements[i];
        latency.DelayAtoB = network.Delay(packetA);
        totals.AtoB += latency.DelayAtoB;
        // Ethernet and satellite links are half duplex here: the two packets
        // pass one after the other, each with its own delay.
        if (network.Kind == nbEthernet || network.Kind == nbSatellite)
            latency.DelayRoundTrip = network.Delay(packetA) + network.Delay(packetB);
        else
            latency.DelayRoundTrip = network.Delay(bothPackets);
        totals.RoundTrip += latency.DelayRoundTrip;
        latency.DelayBtoA = network.Delay(packetB);
        totals.BtoA += latency.DelayBtoA;
    }

    TElementLatency& first = result.Elements.front();
    first.DelayAtoB = nodeA.Delay(packetA);
    totals.AtoB += first.DelayAtoB;
    first.DelayRoundTrip = nodeA.Delay(bothPackets);
    totals.RoundTrip += first.DelayRoundTrip;
    first.DelayBtoA = 0;

    TElementLatency& last = result.Elements.back();
    last.DelayAtoB = 0;
    last.DelayRoundTrip = nodeB.Delay(bothPackets);
    totals.RoundTrip += last.DelayRoundTrip;
    last.DelayBtoA = nodeB.Delay(packetB);
    totals.BtoA += last.DelayBtoA;

    for (TElementLatency& latency : result.Elements) {
        latency.ShareAtoB = share(latency.DelayAtoB, totals.AtoB);
        latency.ShareRoundTrip = share(latency.DelayRoundTrip, totals.RoundTrip);
        latency.ShareBtoA = share(latency.DelayBtoA, totals.BtoA);
    }
    return result;
}

float delayOf(const TElementLatency& latency, TPacketDirection direction)
{
    switch (direction) {
    case pdAtoB:
        return latency.DelayAtoB;
    case pdBtoA:
        return latency.DelayBtoA;
    case pdRoundTrip:
        return latency.DelayRoundTrip;
    }
    return 0;
}

float shareOf(const TElementLatency& latency, TPacketDirection direction)
{
    switch (direction) {
    case pdAtoB:
        return latency.ShareAtoB;
    case pdBtoA:
        return latency.ShareBtoA;
    case pdRoundTrip:
        return latency.ShareRoundTrip;
    }
    return 0;
}

float totalOf(const TLatencyTotals& totals, TPacketDirection direction)
{
    switch (direction) {
    case pdAtoB:
        return totals.AtoB;
    case pdBtoA:
        return totals.BtoA;
    case pdRoundTrip:
        return totals.RoundTrip;
    }
    return 0;
}

std::string formatDelay(float seconds)
{
    return conv::floatToStrFixed(seconds, 7);
}

std::string formatShare(float share)
{
    return conv::floatToStrFixed(share * 100.0, 1) + "%";
}

std::string formatDelayMilliseconds(float seconds)
{
    // A single times 1000 is exact in double precision, so the one rounding
    // is that of the seconds: the same digits.
    return conv::floatToStrFixed(seconds * 1000.0, 4);
}
