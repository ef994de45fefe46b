#include "path/ChainFigures.h"

#include "path/ChainValue.h"
#include "path/LatencyComputation.h"

#include "core/FloatConversions.h"

#include <cmath>

TChainFigures chainFigures(const TChainValue& chain)
{
    TChainFigures figures;
    for (int position = 1; position + 1 < chain.count(); ++position) {
        const float bandwidth = chain.at(position).Bandwidth;
        if (bandwidth > 0 &&
            (figures.Bottleneck < 0 || bandwidth < chain.at(figures.Bottleneck).Bandwidth))
            figures.Bottleneck = position;
    }
    if (figures.Bottleneck >= 0) {
        const TNetworkElement& network = chain.at(figures.Bottleneck);
        figures.BottleneckLabel = network.Hint;
        figures.BandwidthText = conv::floatToStrShortest(network.Bandwidth);
        figures.BandwidthMbps = conv::strToFloat(figures.BandwidthText);
    }

    std::vector<const TChainElement*> elements;
    for (const TNetworkElement& element : chain.elements())
        elements.push_back(&element);
    try {
        const float seconds = computeChainLatencies(elements).Totals.RoundTrip;
        if (!std::isfinite(seconds)) {
            figures.Problem = "the chain's round trip is too long to compute";
            return figures;
        }
        figures.RoundTripText = formatDelayMilliseconds(seconds);
        figures.RoundTripMs = conv::strToFloat(figures.RoundTripText);
        figures.RoundTripKnown = true;
    } catch (const std::exception& error) {
        // Packet sizes past 32 bits together: the latency calculator refuses
        // them with the same message.
        figures.Problem = error.what();
    }
    return figures;
}
