#pragma once

#include "path/PathPerformance.h"

#include <string>
#include <vector>

// The figures of a path as named records, in the order and with the texts
// the window shows them and the command line prints them, so that both say
// the same.

enum class TFigureGroup
{
    PacketSizes,
    Rates,
    Window,
    Transfer,
};

struct TPathRecord
{
    const char* Key = "";   // the record's name for programs: "inner_mtu"
    const char* Label = ""; // its caption: "Inner MTU"
    TFigureGroup Group = TFigureGroup::PacketSizes;
    bool Known = false;
    double Value = 0;   // when known; the binding limit has none
    std::string Text;   // the value as shown ("1,446", "94.93"), or why it is missing
    std::string Unit;   // "bytes", "Mbit/s"; empty where there is none
    std::string Detail; // what qualifies the value, or ""
};

std::vector<TPathRecord> pathRecords(const TPathResult& result);

// "Packet sizes", "Rates", "Window", "Transfer".
const char* figureGroupTitle(TFigureGroup group);
// "bottleneck", "window", "loss"; "" for none.
const char* rateLimitName(TRateLimit limit);

// The value in its unit's form: whole bytes, packets and flows grouped by
// thousands ("65,535"), rates and times to four significant digits
// ("94.92", "12.8"), shares with two decimals ("94.93").
std::string figureText(const TFigure& figure);
// A time of more than a minute in days, hours, minutes and seconds:
// "14 min 3 s". Empty for less.
std::string durationText(double seconds);
