#include "ipaddress/AddressPlan.h"

#include "ipaddress/CidrBlocks.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace {

using Where = PlanProblem::Where;

PlanProblem problemAt(Where where, size_t index, std::string expected)
{
    return {where, index, std::move(expected), std::nullopt};
}

// A name is a request's handle in every table and export: two requests of
// one name could not be told apart.
std::optional<PlanProblem> checkNames(const std::vector<PlanRequest>& requests)
{
    std::unordered_map<std::string_view, size_t> first;
    first.reserve(requests.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        const auto [known, added] = first.emplace(requests[i].name, i);
        if (!added) {
            PlanProblem problem = problemAt(Where::Request, i, "a name no other request has");
            problem.sameName = known->second;
            return problem;
        }
    }
    return std::nullopt;
}

std::optional<PlanProblem> checkParents(const std::vector<CidrBlock>& parents)
{
    if (parents.empty())
        return problemAt(Where::Parents, 0, "at least one parent network");
    const AddressFamily family = parents[0].family;
    for (size_t i = 0; i < parents.size(); ++i) {
        const CidrBlock& parent = parents[i];
        if (parent.family != family)
            return problemAt(Where::Parent, i,
                             std::string("an ") +
                                 (family == AddressFamily::IPv4 ? "IPv4" : "IPv6") +
                                 " network like the first parent: a plan holds one address family");
        if (parent.address != parent.network())
            return problemAt(Where::Parent, i,
                             "a network address without host bits: " +
                                 cidrtext::networkText({family, parent.network(), parent.prefix}));
    }

    // CIDR blocks either nest or stay apart, and in address order any
    // overlap shows between neighbours. Of the overlapping pairs, the one
    // whose later parent comes first in the input is named.
    std::vector<uint32_t> sorted(parents.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    std::sort(sorted.begin(), sorted.end(), [&parents](uint32_t a, uint32_t b) {
        if (parents[a].address != parents[b].address)
            return parents[a].address < parents[b].address;
        return parents[a].prefix != parents[b].prefix ? parents[a].prefix < parents[b].prefix
                                                      : a < b;
    });
    std::optional<std::pair<uint32_t, uint32_t>> clash; // later, earlier
    for (size_t i = 1; i < sorted.size(); ++i) {
        const uint32_t a = sorted[i - 1], b = sorted[i];
        if (parents[a].last() < parents[b].address)
            continue;
        const std::pair<uint32_t, uint32_t> pair{std::max(a, b), std::min(a, b)};
        if (!clash || pair.first < clash->first)
            clash = pair;
    }
    if (!clash)
        return std::nullopt;
    const CidrBlock& later = parents[clash->first];
    const CidrBlock& earlier = parents[clash->second];
    const std::string other = cidrtext::networkText(earlier);
    if (later.prefix == earlier.prefix)
        return problemAt(Where::Parent, clash->first,
                         "each parent network once, not " + other + " again");
    return problemAt(Where::Parent, clash->first,
                     "a parent network apart from " + other + ", which " +
                         (earlier.prefix < later.prefix ? "holds it" : "it holds"));
}

std::optional<PlanProblem> checkOptions(AddressFamily family, const PlanOptions& options)
{
    const bool cloud = options.mode != ReservationMode::Standard;
    if (family == AddressFamily::IPv6 && cloud)
        return problemAt(Where::Mode, 0,
                         "the standard mode in an IPv6 plan: the cloud modes are IPv4 rules");
    if (family == AddressFamily::IPv4 && options.nibble)
        return problemAt(Where::Nibble, 0,
                         "an IPv6 plan: the nibble rule widens IPv6 blocks to whole hex digits");
    if (options.p2p30 && family == AddressFamily::IPv6)
        return problemAt(Where::P2p30, 0,
                         "an IPv4 plan: point-to-point links as /30 are an IPv4 rule");
    if (options.p2p127 && family == AddressFamily::IPv4)
        return problemAt(Where::P2p127, 0,
                         "an IPv6 plan: point-to-point links as /127 are an IPv6 rule");
    if (options.p2p30 && cloud)
        return problemAt(Where::P2p30, 0,
                         std::string("the standard mode, not ") + modeName(options.mode) +
                             ": a cloud subnet is never a point-to-point /31");
    if (options.growPercent > MaxGrowPercent)
        return problemAt(Where::Grow, 0,
                         "a growth margin from 0 to " + std::to_string(MaxGrowPercent) +
                             " percent");
    return std::nullopt;
}

// Checks the input and sizes every request into `prefixes`.
std::optional<PlanProblem> checkAndSize(const PlanInput& input, std::vector<uint8_t>& prefixes)
{
    if (auto problem = checkParents(input.parents))
        return problem;
    const AddressFamily family = input.parents[0].family;
    if (auto problem = checkOptions(family, input.options))
        return problem;
    if (input.requests.size() > MaxPlanRequests)
        return problemAt(Where::Request, MaxPlanRequests,
                         "at most " + std::to_string(MaxPlanRequests) + " requests in a plan");
    if (auto problem = checkNames(input.requests))
        return problem;
    prefixes.resize(input.requests.size());
    std::string expected;
    for (size_t i = 0; i < input.requests.size(); ++i)
        if (!sizeRequest(input.requests[i], family, input.options, prefixes[i], expected))
            return problemAt(Where::Request, i, expected);
    return std::nullopt;
}

double toDouble(Uint128 value)
{
    return std::ldexp(double(value.hi), 64) + double(value.lo);
}

} // namespace

std::optional<PlanProblem> checkPlan(const PlanInput& input)
{
    std::vector<uint8_t> prefixes;
    return checkAndSize(input, prefixes);
}

AddressPlanner::AddressPlanner() : FFree(addressBits(AddressFamily::IPv6) + 1) {}

const PlanResult& AddressPlanner::plan(const PlanInput& input)
{
    // Cleared, not replaced: the vectors keep their room for the next plan.
    FResult.placed.clear();
    FResult.unplaced.clear();
    FResult.free.clear();
    FResult.parents.clear();
    FResult.largestFree.reset();
    FResult.problem = checkAndSize(input, FPrefixes);
    if (FResult.problem)
        return FResult;
    FResult.family = input.parents[0].family;
    place(input);
    describeFreeSpace(input);
    return FResult;
}

void AddressPlanner::place(const PlanInput& input)
{
    const unsigned bits = addressBits(FResult.family);
    const auto later = [](const FreeBlock& a, const FreeBlock& b) {
        return a.parent != b.parent ? a.parent > b.parent : a.address > b.address;
    };
    const auto release = [this, &later](unsigned hostBits, FreeBlock block) {
        std::vector<FreeBlock>& heap = FFree[hostBits];
        heap.push_back(block);
        std::push_heap(heap.begin(), heap.end(), later);
    };
    for (std::vector<FreeBlock>& heap : FFree)
        heap.clear();
    for (size_t p = 0; p < input.parents.size(); ++p)
        release(input.parents[p].hostBits(), {uint32_t(p), input.parents[p].network()});

    const size_t count = input.requests.size();
    FOrder.resize(count);
    if (input.options.order == PlacementOrder::Given) {
        std::iota(FOrder.begin(), FOrder.end(), 0);
    } else {
        // A counting sort on the prefix, shortest (largest block) first; it
        // keeps equal sizes in the order given.
        std::array<size_t, 130> start{};
        for (uint8_t prefix : FPrefixes)
            ++start[prefix + 1u];
        for (size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        for (size_t r = 0; r < count; ++r)
            FOrder[start[FPrefixes[r]]++] = uint32_t(r);
    }

    for (uint32_t r : FOrder) {
        const uint8_t prefix = FPrefixes[r];
        const unsigned need = bits - prefix;
        unsigned best = 0;
        bool found = false;
        for (unsigned j = need; j <= bits; ++j) {
            if (FFree[j].empty())
                continue;
            if (!found || later(FFree[best].front(), FFree[j].front())) {
                best = j;
                found = true;
            }
        }
        if (!found) {
            FResult.unplaced.push_back({r, prefix});
            continue;
        }
        std::vector<FreeBlock>& heap = FFree[best];
        const FreeBlock block = heap.front();
        std::pop_heap(heap.begin(), heap.end(), later);
        heap.pop_back();
        // The block's low part is placed; the upper half of every split
        // stays free, one buddy per size.
        for (unsigned j = need; j < best; ++j)
            release(j, {block.parent, block.address + Uint128::power(j)});
        FResult.placed.push_back({r, block.parent, block.address, prefix});
    }

    const auto byAddress = [](const PlacedBlock& a, const PlacedBlock& b) {
        return a.parent != b.parent ? a.parent < b.parent : a.network < b.network;
    };
    // Largest first fills each parent from its start: usually sorted already.
    if (!std::is_sorted(FResult.placed.begin(), FResult.placed.end(), byAddress))
        std::sort(FResult.placed.begin(), FResult.placed.end(), byAddress);
    if (input.options.order == PlacementOrder::Size)
        std::sort(FResult.unplaced.begin(), FResult.unplaced.end(),
                  [](const UnplacedRequest& a, const UnplacedRequest& b) {
                      return a.request < b.request;
                  });
}

void AddressPlanner::describeFreeSpace(const PlanInput& input)
{
    const AddressFamily family = FResult.family;
    const auto addFree = [this, family](Uint128 first, Uint128 last) {
        const std::vector<CidrBlock> blocks = blocksOfRange({family, first, last});
        FResult.free.insert(FResult.free.end(), blocks.begin(), blocks.end());
    };

    FResult.parents.resize(input.parents.size());
    size_t next = 0; // into the placed blocks, which run parent by parent
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        ParentUse& use = FResult.parents[p];
        use = ParentUse();
        use.freeBegin = FResult.free.size();
        Uint128 cursor = parent.network();
        bool full = false; // a block ends at the parent's last address
        for (; next < FResult.placed.size() && FResult.placed[next].parent == p; ++next) {
            const PlacedBlock& placed = FResult.placed[next];
            const CidrBlock block{family, placed.network, placed.prefix};
            if (block.network() != cursor)
                addFree(cursor, block.network() - Uint128(1));
            // A block of 2^128 addresses adds 0: see ParentUse::whole.
            if (block.hostBits() < 128)
                use.used = use.used + Uint128::power(block.hostBits());
            full = block.last() == parent.last();
            cursor = block.last() + Uint128(1);
        }
        if (!full)
            addFree(cursor, parent.last());
        use.freeEnd = FResult.free.size();
        use.whole = use.freeBegin == use.freeEnd;
        use.share = use.whole ? 1.0 : std::ldexp(toDouble(use.used), -int(parent.hostBits()));
    }

    for (const CidrBlock& block : FResult.free)
        if (!FResult.largestFree || block.prefix < FResult.largestFree->prefix)
            FResult.largestFree = block;
}

PlanResult makePlan(const PlanInput& input)
{
    AddressPlanner planner;
    return planner.plan(input);
}
