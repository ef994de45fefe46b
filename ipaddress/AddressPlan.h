#pragma once

#include "ipaddress/PlanRules.h"

#include <optional>
#include <vector>

// The address planner: requests sized by need, placed into parent networks.
//
// Blocks are placed largest first (equal sizes in the order given), or in
// the order given; each at the lowest free address aligned to its size, in
// the first parent, in the order given, that has room. The plan is a
// function of its input alone. AddressPlanner keeps its buffers from one
// plan to the next, so that re-planning as someone types allocates next to
// nothing.

constexpr size_t MaxPlanRequests = 100000;

struct PlanInput
{
    std::vector<CidrBlock> parents; // one address family, network addresses, no overlaps
    std::vector<PlanRequest> requests;
    PlanOptions options;
};

// Input the rules refuse, and where: the window marks that field, the
// command line names that token.
struct PlanProblem
{
    enum class Where
    {
        Parents, // there are none
        Parent,
        Request,
        Mode,
        Nibble,
        P2p30,
        P2p127,
        Grow,
    };
    Where where = Where::Parents;
    size_t index = 0;     // the parent or request at fault
    std::string expected; // completes "'TOKEN': expected ..."
    // A request whose name an earlier one has: that earlier request.
    std::optional<size_t> sameName;
};

struct PlacedBlock
{
    uint32_t request = 0; // index into the input's requests
    uint32_t parent = 0;  // index into the input's parents
    Uint128 network;
    uint8_t prefix = 0;
};

struct UnplacedRequest
{
    uint32_t request = 0;
    uint8_t prefix = 0; // the block it needed
};

struct ParentUse
{
    Uint128 used;       // addresses in placed blocks (wraps to 0 for all of ::/0: see `whole`)
    bool whole = false; // every address of the parent is placed
    double share = 0;   // of the parent in use, 0 to 1
    size_t freeBegin = 0, freeEnd = 0; // the parent's free blocks in PlanResult::free
};

struct PlanResult
{
    std::optional<PlanProblem> problem; // when set, the rest is empty
    AddressFamily family = AddressFamily::IPv4;
    std::vector<PlacedBlock> placed;       // parent by parent, in address order
    std::vector<UnplacedRequest> unplaced; // in the order given
    // The free space left, as the fewest CIDR blocks: parent by parent, in
    // address order.
    std::vector<CidrBlock> free;
    std::vector<ParentUse> parents;
    // The largest free block (the first of equal ones) when placing ended.
    std::optional<CidrBlock> largestFree;
};

// The first problem of the input, if any: parents that are missing, of
// mixed families, not network addresses, overlapping or repeated; options
// the family or the mode refuses; more than MaxPlanRequests requests; a
// request no block can hold, or the mode does not allow; a request with an
// earlier one's name.
std::optional<PlanProblem> checkPlan(const PlanInput& input);

class AddressPlanner
{
public:
    AddressPlanner();
    const PlanResult& plan(const PlanInput& input);

private:
    struct FreeBlock
    {
        uint32_t parent;
        Uint128 address;
    };
    void place(const PlanInput& input);
    void describeFreeSpace(const PlanInput& input);

    // The free space while placing, as buddy blocks: one min-heap per size
    // (host bits), ordered by parent and then address. The lowest aligned
    // free address for a size is the smallest top among the heaps of that
    // size and larger.
    std::vector<std::vector<FreeBlock>> FFree;
    std::vector<uint8_t> FPrefixes; // per request, as sized
    std::vector<uint32_t> FOrder;   // requests in placing order
    PlanResult FResult;
};

// One plan, without keeping buffers.
PlanResult makePlan(const PlanInput& input);
