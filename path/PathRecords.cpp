#include "path/PathRecords.h"

#include "core/FloatConversions.h"

#include <cmath>
#include <string_view>

namespace {

std::string groupedWhole(const std::string& digits)
{
    std::string text = digits;
    for (int at = int(text.size()) - 3; at > 0; at -= 3)
        text.insert(size_t(at), ",");
    return text;
}

// Fixed text with its whole part grouped and trailing zeros dropped.
std::string tidy(std::string text)
{
    const auto point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return groupedWhole(whole) + (fraction.empty() ? "" : "." + fraction);
}

std::string significant(double value, int digits)
{
    if (value == 0)
        return "0";
    const int exponent = int(std::floor(std::log10(std::fabs(value))));
    // Past a million million a long row of digits says less than "1.234E15".
    if (exponent >= 15)
        return conv::floatToStrGeneral(value, digits);
    const int decimals = std::max(0, digits - 1 - exponent);
    return tidy(conv::floatToStrFixed(value, decimals, std::max(digits, exponent + 2)));
}

} // namespace

std::string figureText(const TFigure& figure)
{
    const std::string_view unit = figure.Unit;
    const double value = figure.Value;
    if (unit == "%")
        return conv::floatToStrFixed(value, 2);
    if (unit == "Mbit/s" || unit == "s")
        return significant(value, 4);
    if (std::fabs(value) >= 1e15)
        return conv::floatToStrGeneral(value, 4);
    if (value == std::floor(value))
        return groupedWhole(conv::floatToStrFixed(value, 0, 17));
    return tidy(conv::floatToStrFixed(value, 2, 17));
}

std::string durationText(double seconds)
{
    // Past some thirty thousand years the count of days says nothing more.
    if (!(seconds >= 60) || seconds > 1e12)
        return {};
    const long long total = std::llround(seconds);
    const long long counts[] = {total / 86400, total % 86400 / 3600, total % 3600 / 60, total % 60};
    const char* const units[] = {"d", "h", "min", "s"};
    size_t first = 0;
    while (counts[first] == 0)
        ++first;
    // Two units say enough: "3 d 4 h", "14 min 3 s".
    std::string text = std::to_string(counts[first]) + " " + units[first];
    if (first + 1 < 4 && counts[first + 1] > 0)
        text += " " + std::to_string(counts[first + 1]) + " " + units[first + 1];
    return text;
}

const char* figureGroupTitle(TFigureGroup group)
{
    switch (group) {
    case TFigureGroup::PacketSizes:
        return "Packet sizes";
    case TFigureGroup::Rates:
        return "Rates";
    case TFigureGroup::Window:
        return "Window";
    case TFigureGroup::Transfer:
        return "Transfer";
    }
    return "";
}

const char* rateLimitName(TRateLimit limit)
{
    switch (limit) {
    case TRateLimit::Bottleneck:
        return "bottleneck";
    case TRateLimit::Window:
        return "window";
    case TRateLimit::Loss:
        return "loss";
    case TRateLimit::None:
        break;
    }
    return "";
}

std::vector<TPathRecord> pathRecords(const TPathResult& result)
{
    using G = TFigureGroup;
    const struct
    {
        const char* Key;
        const char* Label;
        G Group;
        const TFigure* Figure;
    } rows[] = {
        {"inner_mtu", "Inner MTU", G::PacketSizes, &result.InnerMtu},
        {"mss_ipv4", "TCP MSS, IPv4", G::PacketSizes, &result.MssIpv4},
        {"mss_ipv6", "TCP MSS, IPv6", G::PacketSizes, &result.MssIpv6},
        {"segment_payload", "Data per segment", G::PacketSizes, &result.SegmentPayload},
        {"wire_bytes", "Wire bytes per segment", G::PacketSizes, &result.WireBytes},
        {"efficiency", "Efficiency", G::PacketSizes, &result.Efficiency},
        {"goodput", "Bottleneck goodput", G::Rates, &result.Goodput},
        {"packet_rate", "Packets per second", G::Rates, &result.PacketRate},
        {"window_rate", "Window limit", G::Rates, &result.WindowRate},
        {"loss_rate", "Loss limit", G::Rates, &result.LossRate},
        {"achievable", "Achievable, one flow", G::Rates, &result.Achievable},
        {"binding", "Binding limit", G::Rates, nullptr},
        {"bdp", "Bandwidth-delay product", G::Window, &result.Bdp},
        {"window_to_fill", "Window to fill the path", G::Window, &result.WindowToFill},
        {"window_shift", "Window scale shift", G::Window, &result.WindowShift},
        {"window_in_use", "Window in use", G::Window, &result.WindowInUse},
        {"transfer_time", "Transfer time", G::Transfer, &result.TransferTime},
        {"parallel_flows", "Flows to fill the bottleneck", G::Transfer, &result.ParallelFlows},
    };
    std::vector<TPathRecord> records;
    for (const auto& row : rows) {
        TPathRecord record;
        record.Key = row.Key;
        record.Label = row.Label;
        record.Group = row.Group;
        if (!row.Figure) {
            record.Known = result.Binding != TRateLimit::None;
            record.Text = record.Known ? rateLimitName(result.Binding) : result.Achievable.Missing;
        } else {
            const TFigure& figure = *row.Figure;
            record.Known = figure.Known;
            record.Value = figure.Value;
            record.Text = figure.Known ? figureText(figure) : figure.Missing;
            record.Unit = figure.Unit;
            record.Detail = figure.Detail;
            if (figure.Known && record.Detail.empty() && record.Unit == "s")
                record.Detail = durationText(figure.Value);
        }
        records.push_back(std::move(record));
    }
    return records;
}
