#pragma once

#include "path/Encapsulation.h"
#include "path/PathFault.h"

#include <cstdint>
#include <string>
#include <vector>

// What one TCP flow can do on a path: the packet sizes a stack of
// encapsulations leaves, what the bottleneck carries of them, the window the
// path needs, the limits of the window and of packet loss, and how long a
// transfer takes. Window and command line compute with these rules alone.

// The questions about the path.
struct TPathInput
{
    double BandwidthMbps = 0; // the bottleneck's; 0: not known
    double RoundTripMs = 0;   // 0: not known
    int LinkMtu = 1500;
    int IpVersion = 4;              // of the flow: 4 or 6
    bool Timestamps = false;        // TCP timestamps on every segment (12 bytes)
    std::vector<TEncapLayer> Stack; // innermost first, outermost last
    uint64_t WindowBytes = 65535;   // the receive window offered
    bool WindowScaling = true;
    double LossRate = 0; // fraction of packets lost; 0: no loss limit
    uint64_t TransferBytes = 1000000000;
};

// The limits of the fields, and the readers of their text. Each reader
// raises EPathInputError naming its field.
constexpr int minLinkMtu = 68; // IPv4's smallest (RFC 791)
constexpr int maxLinkMtu = 65535;
// RFC 793 and RFC 7323, 2.2 and 2.3: the window field has 16 bits, and a
// scale shift of at most 14 multiplies it.
constexpr uint64_t maxUnscaledWindow = 65535;
constexpr int maxWindowShift = 14;
constexpr uint64_t maxScaledWindow = maxUnscaledWindow << maxWindowShift; // 1,073,725,440
// RFC 7323, appendix A: the timestamps option (10 bytes) with two NOPs that
// align it, on every segment.
constexpr int timestampBytes = 12;
// TCP's header (RFC 793), IPv4's (RFC 791) and IPv6's (RFC 8200), without options.
constexpr int tcpHeaderBytes = 20;
constexpr int ipv4HeaderBytes = 20;
constexpr int ipv6HeaderBytes = 40;
// RFC 8200, section 5: every IPv6 link carries 1280 bytes.
constexpr int ipv6MinimumMtu = 1280;
// Far past any path, and small enough that every figure stays finite.
constexpr double maxBandwidthMbps = 1e7; // 10 Pbit/s
constexpr double maxRoundTripMs = 1e7;   // nearly three hours

double readBandwidth(const std::string& text); // Mbit/s, 0 or more
double readRoundTrip(const std::string& text); // ms, 0 or more
int readLinkMtu(const std::string& text);      // minLinkMtu to maxLinkMtu
uint64_t readWindow(const std::string& text);  // a size, more than 0
double readLossRate(const std::string& text);  // 0 to 1, or a percentage "0.1%"
uint64_t readTransferSize(const std::string& text);

// One computed figure, in its unit. A figure that cannot be computed says why
// in Missing instead; Detail, when not empty, qualifies a known value.
struct TFigure
{
    explicit TFigure(const char* unit = "") : Unit(unit) {}

    const char* Unit;
    bool Known = false;
    double Value = 0;
    std::string Missing;
    std::string Detail;

    void set(double value)
    {
        Known = true;
        Value = value;
    }
    void missing(const std::string& why)
    {
        Known = false;
        Missing = why;
    }
};

// Which limit sets the rate one flow achieves.
enum class TRateLimit
{
    None,       // nothing is known to limit it
    Bottleneck, // the bottleneck's goodput
    Window,     // the receive window over the round trip
    Loss,       // the loss rate, by the Mathis formula
};

struct TPathResult
{
    // Packet sizes
    TFigure InnerMtu{"bytes"};
    TFigure MssIpv4{"bytes"};
    TFigure MssIpv6{"bytes"};
    TFigure SegmentPayload{"bytes"}; // TCP data per full segment of the flow
    TFigure WireBytes{"bytes"};      // one full segment on the bottleneck's Ethernet
    TFigure Efficiency{"%"};         // data per wire byte
    // Rates
    TFigure Goodput{"Mbit/s"};       // the most data the bottleneck carries
    TFigure PacketRate{"packets/s"}; // whole frames per second at that rate
    TFigure WindowRate{"Mbit/s"};    // window / round trip
    TFigure LossRate{"Mbit/s"};      // the Mathis limit
    TFigure Achievable{"Mbit/s"};    // the smallest of the three
    TRateLimit Binding = TRateLimit::None;
    // Window
    TFigure Bdp{"bytes"};          // bandwidth-delay product
    TFigure WindowToFill{"bytes"}; // the product rounded up to whole bytes
    TFigure WindowShift{""};       // the smallest scale shift that reaches it
    TFigure WindowInUse{"bytes"};  // the receive window as TCP can offer it
    // Transfer
    TFigure TransferTime{"s"};
    TFigure ParallelFlows{""}; // flows that together reach the goodput

    TStackFit Stack; // each layer's place and bytes
};

// Every figure of the path. Raises EPathInputError for a combination no
// field alone shows: an MTU the stack leaves no room in, or no room for the
// flow's headers.
TPathResult computePath(const TPathInput& input);

// The rules the figures are made of, for the plot to draw them at other
// losses and round trips.
//
// RFC 6349, 3.3.1: a window allows window * 8 / RTT.
double windowLimitMbps(uint64_t windowBytes, double roundTripMs);
// Mathis, Semke, Mahdavi and Ott, "The Macroscopic Behavior of the TCP
// Congestion Avoidance Algorithm", CCR 27(3), 1997: a flow with payload MSS
// per segment achieves at most MSS / RTT * C / sqrt(p), with C = sqrt(3/2)
// for periodic loss and an ACK for every segment. It models Reno-style
// congestion avoidance.
double mathisLimitMbps(int segmentPayload, double roundTripMs, double lossRate);
extern const double mathisConstant;
