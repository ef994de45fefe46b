// Feeds arbitrary text to the plan readers, as a file given to
// `zentrix-cli plan --file` would be: a plan file or request lines. A plan
// file the reader takes, written back, reads as the same plan; and the plan
// made of what was read tiles each parent with its placed and free blocks,
// in address order, each aligned to its size.

#include "fuzz/FuzzSupport.h"
#include "ipaddress/AddressPlan.h"
#include "ipaddress/CidrText.h"
#include "ipaddress/PlanFile.h"

#include <string_view>

namespace {

bool samePlan(const PlanFile& a, const PlanFile& b)
{
    if (a.parents.size() != b.parents.size() || a.requests.size() != b.requests.size())
        return false;
    for (size_t i = 0; i < a.parents.size(); ++i)
        if (a.parents[i].text != b.parents[i].text)
            return false;
    for (size_t i = 0; i < a.requests.size(); ++i)
        if (a.requests[i].name != b.requests[i].name || a.requests[i].size != b.requests[i].size)
            return false;
    const PlanOptions &x = a.options, &y = b.options;
    return x.mode == y.mode && x.growPercent == y.growPercent && x.nibble == y.nibble &&
           x.p2p30 == y.p2p30 && x.p2p127 == y.p2p127 && x.order == y.order;
}

void checkTiling(const PlanInput& input, const PlanResult& result)
{
    size_t next = 0;
    for (size_t p = 0; p < input.parents.size(); ++p) {
        const CidrBlock& parent = input.parents[p];
        const ParentUse& use = result.parents[p];
        // Placed blocks and free blocks, merged in address order.
        size_t free = use.freeBegin;
        Uint128 cursor = parent.network();
        bool ended = false;
        while (true) {
            const bool placedLeft = next < result.placed.size() && result.placed[next].parent == p;
            const bool freeLeft = free < use.freeEnd;
            if (!placedLeft && !freeLeft)
                break;
            CidrBlock block;
            if (placedLeft &&
                (!freeLeft || result.placed[next].network < result.free[free].address)) {
                block = {result.family, result.placed[next].network, result.placed[next].prefix};
                ++next;
            } else {
                block = result.free[free++];
            }
            FUZZ_CHECK(!ended && block.network() == block.address, "misaligned or past the end");
            FUZZ_CHECK(block.address == cursor, "a gap or an overlap");
            ended = block.last() == parent.last();
            cursor = block.last() + Uint128(1);
        }
        FUZZ_CHECK(ended, "the parent is not covered");
    }
    FUZZ_CHECK(next == result.placed.size(), "a block outside every parent");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PlanFile plan;
    if (plantext::looksLikePlanFile(text)) {
        if (!errorOf([&] { plan = readPlanFile(text); }).empty())
            return 0;
        const std::string written = writePlanFile(plan);
        PlanFile again;
        const std::string error = errorOf([&] { again = readPlanFile(written); });
        FUZZ_CHECK(error.empty() && samePlan(plan, again), written + error);
    } else {
        plan.requests = plantext::readRequestTable(text);
        plan.parents = {{"10.0.0.0/22", 0}, {"2001:db8::/120", 0}};
    }

    // Whatever reads, planned; requests bounded so that a run stays short.
    PlanInput input;
    input.options = plan.options;
    std::string expected;
    for (const plantext::ParentText& parent : plan.parents) {
        CidrBlock block;
        if (cidrtext::readBlock(parent.text, block, expected))
            input.parents.push_back(block);
    }
    for (const plantext::RequestText& request : plan.requests) {
        PlanRequest read;
        if (input.requests.size() < 2000 && plantext::readRequest(request, read, expected))
            input.requests.push_back(read);
    }
    static AddressPlanner planner;
    const PlanResult& result = planner.plan(input);
    if (result.problem) {
        FUZZ_CHECK(!result.problem->expected.empty(), "a problem without a message");
        return 0;
    }
    checkTiling(input, result);
    return 0;
}
