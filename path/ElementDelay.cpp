#include "path/ElementDelay.h"

#include <cfloat>
#include <cmath>

namespace {

// The delay arithmetic runs in extended precision and stores each result as
// a single, as the figures users compare against were computed. A result too
// large for a single (or not a number at all) is reported as a failure.
bool roundToSingle(long double value, float& result)
{
    if (std::isnan(value) || std::fabs(value) >= 0x1.ffffffp127L)
        return false;
    if (std::fabs(value) > FLT_MAX)
        result = value < 0 ? -FLT_MAX : FLT_MAX;
    else
        result = static_cast<float>(value);
    return true;
}

float single(long double value)
{
    float result = 0;
    roundToSingle(value, result);
    return result;
}

} // namespace

float TChainElement::Delay(int32_t packetSize) const
{
    if (isNode())
        return single(ProcessTime * 0.001L);

    // Bytes per second in one Mbps is 125000. A transmission time that cannot
    // be computed (no bandwidth, or one so small the time overflows) counts as
    // zero, leaving the propagation delay alone.
    const long double bandwidth = Bandwidth;
    float t = 0;
    if (bandwidth == 0 || !roundToSingle(packetSize / (bandwidth * 125000.0L), t))
        t = 0;
    if (Kind == nbEthernet) {
        // 160 bit times of preamble and inter-frame gap on every packet.
        float withOverhead = 0;
        if (bandwidth != 0 && roundToSingle(t + 160.0L / (bandwidth * 1000000.0L), withOverhead))
            t = withOverhead;
    }
    return single(PropagationDelay * 0.001L + t);
}
