#pragma once

// The parts of zentrix-cli cidr, one per kind of question: the facts of
// networks and membership (CidrFactsReport.cpp), listings of subnets, blocks and
// prefix sets (CidrLists.cpp), and lookups and reverse DNS (CidrNames.cpp).
// CidrCommand.cpp holds the options and picks the part.

#include "cli/Command.h"
#include "cli/ItemInput.h"
#include "ipaddress/CidrText.h"

#include <string>
#include <vector>

struct CidrOptions
{
    std::vector<std::string> items; // the positional arguments
    std::string split;
    std::string limit;
    std::vector<std::string> contains;
    std::vector<std::string> exclude;
    std::vector<std::string> intersect;
    std::vector<std::string> diff;
    std::vector<std::string> in;
    bool summarize = false;
    bool overlaps = false;
    bool lookup = false;
    bool reverseZones = false;
    bool ptr = false;
    ItemReading* reading = nullptr; // --skip-invalid, JSON lines
};

// An item as the output names it: an address, a network or FIRST-LAST.
std::string itemText(const cidrtext::CidrItem& item);

// One item read, or UsageError naming it (and the line it came from). With
// `zone`, a link-local address may carry one.
cidrtext::CidrItem readCidrItem(const ItemText& item, std::string* zone = nullptr);

// The items before the options: arguments, '-' and @FILE, nothing else.

int runFacts(Report& report, const CidrOptions& options, uint64_t limit);
int runContains(Report& report, const CidrOptions& options);
int runSplit(Report& report, const CidrOptions& options, uint64_t limit);
// The blocks of one range, as a listing.
int listRange(Report& report, const AddressRange& range, uint64_t limit);
int runSetOperation(Report& report, const CidrOptions& options, uint64_t limit);
int runOverlaps(Report& report, const CidrOptions& options);
int runLookup(Report& report, const CidrOptions& options);
int runReverseZones(Report& report, const CidrOptions& options);
int runPtr(Report& report, const CidrOptions& options);
