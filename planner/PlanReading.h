#pragma once

#include "ipaddress/AddressPlan.h"
#include "ipaddress/PlanText.h"

#include <string>
#include <string_view>
#include <vector>

// From what the planner window holds (the parents field, the request rows,
// the options) to the input of a plan, and where the first fault is: the
// window marks that field and explains it in one line. A fault in the text
// is found here, one in the plan's sense (overlapping parents, a cloud mode
// on IPv6) by the planning rules; both end up as a PlanFault.
namespace planreading {

// The parents field as typed: one network per line; blank lines are skipped.
std::vector<plantext::ParentText> parentLines(std::string_view field);

// A row with neither name nor size is a row being made, and is left out.
bool blankRequest(const plantext::RequestText& row);

struct PlanFault
{
    enum class Field
    {
        Parents, // `index`: the line of the field, from 1 (0: the field as a whole)
        Name,    // `index`: the row of the request table, from 0
        Size,
        Mode,
        Grow,
        Nibble,
        P2p30,
        P2p127,
    };
    Field field = Field::Parents;
    size_t index = 0;
    std::string message; // one line
};

struct ReadPlan
{
    PlanInput input;
    std::vector<uint32_t> rowOf;               // the table row of each of the input's requests
    std::vector<plantext::ParentText> parents; // as typed, for each of the input's parents
    std::vector<PlanFault> faults;             // the texts at fault, the first one first
};

// Reads the texts; every bad one becomes a fault, so that each is marked.
// The input holds what could be read, and is planned only without faults.
void readTexts(std::string_view parents, const std::vector<plantext::RequestText>& rows,
               const PlanOptions& options, ReadPlan& read);

// The fault the planning rules found in input that read well.
PlanFault faultOf(const PlanProblem& problem, const ReadPlan& read,
                  const std::vector<plantext::RequestText>& rows);

} // namespace planreading
