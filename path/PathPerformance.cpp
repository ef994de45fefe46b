#include "path/PathPerformance.h"

#include "path/SizeText.h"

#include "core/FloatConversions.h"

#include <algorithm>
#include <cmath>

const double mathisConstant = std::sqrt(1.5);

namespace {

// Ethernet framing around an IP packet (IEEE 802.3, clauses 3 and 4): preamble
// 7 and start delimiter 1, header 14, frame check sequence 4, and the
// inter-frame gap of 12 byte times; a frame carries at least 46 bytes.
// RFC 6349, 4.1.1 counts the same 38 bytes around a 1500-byte MTU (1538).
constexpr int ethernetPreamble = 8;
constexpr int ethernetHeader = 14;
constexpr int ethernetFcs = 4;
constexpr int ethernetGap = 12;
constexpr int ethernetMinimumPayload = 46;

double readNumber(const std::string& text, TPathField field, const char* unit)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        throw EPathInputError(field, std::string("give a number of ") + unit);
    double value = 0;
    try {
        value = conv::strToFloat(text);
    } catch (const EZentrixError&) {
        throw EPathInputError(field, "'" + text.substr(first) + "' is not a number of " + unit);
    }
    if (!std::isfinite(value) || value < 0)
        throw EPathInputError(field, "'" + text.substr(first) + "' is below 0");
    return value;
}

void checkBandwidth(double mbps)
{
    if (!(mbps >= 0))
        throw EPathInputError(TPathField::Bandwidth, "the bandwidth is below 0");
    if (mbps > maxBandwidthMbps)
        throw EPathInputError(TPathField::Bandwidth,
                              conv::floatToStrGeneral(mbps) + " Mbit/s is more than 10,000,000");
}

void checkRoundTrip(double ms)
{
    if (!(ms >= 0))
        throw EPathInputError(TPathField::RoundTrip, "the round trip is below 0");
    if (ms > maxRoundTripMs)
        throw EPathInputError(TPathField::RoundTrip,
                              conv::floatToStrGeneral(ms) + " ms is more than 10,000,000");
}

int headerBytes(int ipVersion)
{
    return (ipVersion == 6 ? ipv6HeaderBytes : ipv4HeaderBytes) + tcpHeaderBytes;
}

std::string grouped(uint64_t value)
{
    std::string digits = std::to_string(value);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

const char* const needsBandwidth = "needs a bandwidth above 0";
const char* const needsRoundTrip = "needs a round trip above 0";

void packetSizes(const TPathInput& input, TPathResult& result)
{
    const TStackFit& stack = result.Stack;
    const int inner = stack.InnerMtu;
    const int headers = headerBytes(input.IpVersion) + (input.Timestamps ? timestampBytes : 0);
    if (inner <= headers) {
        throw EPathInputError(TPathField::Mtu,
                              std::to_string(input.LinkMtu) + " bytes leave " +
                                  std::to_string(inner) +
                                  " inside the stack, no room for data after the IPv" +
                                  std::to_string(input.IpVersion) + " and TCP headers (" +
                                  std::to_string(headers) + " bytes)");
    }
    result.InnerMtu.set(inner);
    if (input.IpVersion == 6 && inner < ipv6MinimumMtu)
        result.InnerMtu.Detail = "below IPv6's minimum of 1,280: the tunnel must fragment";
    // MSS = MTU - 40 for IPv4 and - 60 for IPv6 (RFC 879, RFC 8200 8.3).
    result.MssIpv4.set(inner - headerBytes(4));
    if (inner > headerBytes(6))
        result.MssIpv6.set(inner - headerBytes(6));
    else
        result.MssIpv6.missing("no room for IPv6 and TCP headers");
    const int mss = inner - headerBytes(input.IpVersion);
    result.SegmentPayload.set(mss - (input.Timestamps ? timestampBytes : 0));
    if (input.Timestamps)
        result.SegmentPayload.Detail = "the MSS less 12 bytes of timestamps";

    const int framePayload = std::max(stack.OuterPacket, ethernetMinimumPayload);
    const int wire = ethernetPreamble + ethernetHeader + stack.FrameBytes + framePayload +
                     ethernetFcs + ethernetGap;
    result.WireBytes.set(wire);
    result.Efficiency.set(100.0 * result.SegmentPayload.Value / wire);
}

void rates(const TPathInput& input, TPathResult& result)
{
    const double payload = result.SegmentPayload.Value;
    if (input.BandwidthMbps > 0) {
        result.Goodput.set(input.BandwidthMbps * payload / result.WireBytes.Value);
        // RFC 6349, 4.1.1 counts whole frames: 100 Mbit/s / (1538 * 8) = 8127.
        result.PacketRate.set(std::floor(input.BandwidthMbps * 1e6 / (result.WireBytes.Value * 8)));
    } else {
        result.Goodput.missing(needsBandwidth);
        result.PacketRate.missing(needsBandwidth);
    }

    const uint64_t window = result.WindowInUse.Value > 0 ? uint64_t(result.WindowInUse.Value) : 0;
    if (input.RoundTripMs > 0) {
        result.WindowRate.set(windowLimitMbps(window, input.RoundTripMs));
        if (input.LossRate > 0) {
            result.LossRate.set(mathisLimitMbps(int(payload), input.RoundTripMs, input.LossRate));
            result.LossRate.Detail = "Mathis formula, for Reno-style congestion control";
        } else {
            result.LossRate.missing("no loss given");
        }
    } else {
        result.WindowRate.missing(needsRoundTrip);
        result.LossRate.missing(needsRoundTrip);
    }

    // The smallest limit binds; on a tie the bottleneck, then the window.
    const std::pair<const TFigure*, TRateLimit> limits[] = {
        {&result.Goodput, TRateLimit::Bottleneck},
        {&result.WindowRate, TRateLimit::Window},
        {&result.LossRate, TRateLimit::Loss},
    };
    for (const auto& [figure, limit] : limits) {
        if (figure->Known &&
            (!result.Achievable.Known || figure->Value < result.Achievable.Value)) {
            result.Achievable.set(figure->Value);
            result.Binding = limit;
        }
    }
    if (!result.Achievable.Known)
        result.Achievable.missing("needs a bandwidth or a round trip");
}

void window(const TPathInput& input, TPathResult& result)
{
    uint64_t inUse = input.WindowBytes;
    if (!input.WindowScaling && inUse > maxUnscaledWindow) {
        inUse = maxUnscaledWindow;
        result.WindowInUse.Detail = "without window scaling at most 65,535";
    } else if (inUse > maxScaledWindow) {
        inUse = maxScaledWindow;
        result.WindowInUse.Detail = "at most 65,535 shifted by 14";
    }
    result.WindowInUse.set(double(inUse));

    if (input.BandwidthMbps <= 0 || input.RoundTripMs <= 0) {
        const char* why = input.BandwidthMbps <= 0 ? needsBandwidth : needsRoundTrip;
        result.Bdp.missing(why);
        result.WindowToFill.missing(why);
        result.WindowShift.missing(why);
        return;
    }
    // RFC 6349, 3.3.1: BDP (bits) = RTT (s) * bottleneck bandwidth (bit/s),
    // and the smallest window that fills the path is BDP / 8 bytes: Mbit/s
    // times ms times 125.
    const double bytes = input.BandwidthMbps * input.RoundTripMs * 125;
    result.Bdp.set(bytes);
    if (bytes * 8 < 9e15)
        result.Bdp.Detail = grouped(uint64_t(std::llround(bytes * 8))) + " bits";
    // Rounded up, but not for the last bit of a product that decimal inputs
    // such as 8 Mbit/s and 65.535 ms make a hair more than whole.
    const double needed = std::ceil(bytes * (1 - 1e-12));
    result.WindowToFill.set(needed);
    for (int shift = 0; shift <= maxWindowShift; ++shift) {
        if (double(maxUnscaledWindow << shift) >= needed) {
            result.WindowShift.set(shift);
            break;
        }
    }
    if (!result.WindowShift.Known)
        result.WindowShift.missing("one flow cannot fill the path: a window stops at 1,073,725,440 "
                                   "bytes (65,535 shifted by 14)");
    else if (!input.WindowScaling && result.WindowShift.Value > 0)
        result.WindowShift.Detail = "window scaling is off";
}

void transfer(const TPathInput& input, TPathResult& result)
{
    if (result.Achievable.Known) {
        result.TransferTime.set(double(input.TransferBytes) * 8 / (result.Achievable.Value * 1e6));
    } else {
        result.TransferTime.missing(result.Achievable.Missing);
    }

    if (!result.Goodput.Known) {
        result.ParallelFlows.missing(needsBandwidth);
        return;
    }
    // One flow is held by its window or its losses; flows side by side add up
    // until together they reach what the bottleneck carries.
    double perFlow = 0;
    for (const TFigure* limit : {&result.WindowRate, &result.LossRate})
        if (limit->Known && (perFlow == 0 || limit->Value < perFlow))
            perFlow = limit->Value;
    if (perFlow <= 0) {
        result.ParallelFlows.missing(needsRoundTrip);
        return;
    }
    // A hair of rounding must not ask for a flow too many.
    result.ParallelFlows.set(std::max(1.0, std::ceil(result.Goodput.Value / perFlow - 1e-9)));
}

} // namespace

double readBandwidth(const std::string& text)
{
    const double value = readNumber(text, TPathField::Bandwidth, "Mbit/s");
    checkBandwidth(value);
    return value;
}

double readRoundTrip(const std::string& text)
{
    const double value = readNumber(text, TPathField::RoundTrip, "milliseconds");
    checkRoundTrip(value);
    return value;
}

int readLinkMtu(const std::string& text)
{
    const double value = readNumber(text, TPathField::Mtu, "bytes");
    if (value != std::floor(value) || value < minLinkMtu || value > maxLinkMtu)
        throw EPathInputError(TPathField::Mtu, "'" + text.substr(text.find_first_not_of(" \t")) +
                                                   "' is not a whole number of bytes from 68 "
                                                   "to 65,535");
    return int(value);
}

uint64_t readWindow(const std::string& text)
{
    const uint64_t bytes = readSize(text, TPathField::Window);
    if (bytes == 0)
        throw EPathInputError(TPathField::Window, "a window of 0 bytes carries no data");
    return bytes;
}

double readLossRate(const std::string& text)
{
    std::string number = text;
    const auto last = number.find_last_not_of(" \t");
    const bool percent = last != std::string::npos && number[last] == '%';
    if (percent)
        number.erase(last);
    double value = readNumber(number, TPathField::Loss, "lost packets (0.001, or 0.1%)");
    if (percent)
        value /= 100;
    if (value > 1)
        throw EPathInputError(TPathField::Loss, "'" + text.substr(text.find_first_not_of(" \t")) +
                                                    "' is outside 0 to 1 (a fraction of the "
                                                    "packets: 0.01 is 1%)");
    return value;
}

uint64_t readTransferSize(const std::string& text)
{
    return readSize(text, TPathField::Size);
}

double windowLimitMbps(uint64_t windowBytes, double roundTripMs)
{
    return double(windowBytes) * 8 / (roundTripMs / 1000) / 1e6;
}

double mathisLimitMbps(int segmentPayload, double roundTripMs, double lossRate)
{
    return double(segmentPayload) * 8 / (roundTripMs / 1000) * mathisConstant /
           std::sqrt(lossRate) / 1e6;
}

TPathResult computePath(const TPathInput& input)
{
    if (input.LinkMtu < minLinkMtu || input.LinkMtu > maxLinkMtu)
        throw EPathInputError(TPathField::Mtu,
                              std::to_string(input.LinkMtu) + " bytes is not from 68 to 65,535");
    if (input.WindowBytes == 0)
        throw EPathInputError(TPathField::Window, "a window of 0 bytes carries no data");
    if (!(input.LossRate >= 0 && input.LossRate <= 1))
        throw EPathInputError(TPathField::Loss, "the loss rate is outside 0 to 1");
    checkBandwidth(input.BandwidthMbps);
    checkRoundTrip(input.RoundTripMs);

    TPathResult result;
    result.Stack = fitStack(input.LinkMtu, input.Stack);
    packetSizes(input, result);
    window(input, result);
    rates(input, result);
    transfer(input, result);
    return result;
}
