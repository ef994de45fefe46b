#include "path/StatisticsRows.h"

std::vector<TStatisticsRow> statisticsRows(const std::vector<TNetworkElement>& chain,
                                           const TLatencyTotals& totals, TPacketDirection direction,
                                           TDelayUnit unit)
{
    const auto delayText = unit == TDelayUnit::Milliseconds ? formatDelayMilliseconds : formatDelay;
    std::vector<TStatisticsRow> rows;
    rows.reserve(chain.size() + 1);
    for (const TNetworkElement& element : chain)
        rows.push_back({element.Hint, delayText(delayOf(element.Latency, direction)),
                        formatShare(shareOf(element.Latency, direction))});
    // The shares may not add up to exactly 100 after rounding; the total is.
    rows.push_back({"Totals:", delayText(totalOf(totals, direction)), "100.0%"});
    return rows;
}
