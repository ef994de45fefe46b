#pragma once

#include "path/LatencyComputation.h"
#include "path/LatencyElement.h"

#include <string>
#include <vector>

// One row of the Latency Statistics table, as its cells show it.
struct TStatisticsRow
{
    std::string Element; // the element's label, or "Totals:"
    std::string Delay;   // "0.0153988" (seconds) or "15.3988" (milliseconds)
    std::string Percent; // "64.9%"
};

enum class TDelayUnit
{
    Seconds,
    Milliseconds,
};

// The statistics table of one packet direction: a row per element of the
// chain with its label, delay and share, then the totals. The window's
// table and zentrix-cli latency print these rows.
std::vector<TStatisticsRow> statisticsRows(const std::vector<TNetworkElement>& chain,
                                           const TLatencyTotals& totals, TPacketDirection direction,
                                           TDelayUnit unit = TDelayUnit::Seconds);
