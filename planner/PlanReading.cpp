#include "planner/PlanReading.h"

#include "core/Text.h"
#include "ipaddress/CidrText.h"

namespace planreading {

namespace {

std::string quoted(std::string_view token)
{
    return "'" + text::shownToken(token) + "'";
}

std::string rowText(size_t row)
{
    return "Row " + std::to_string(row + 1) + ": ";
}

} // namespace

std::vector<plantext::ParentText> parentLines(std::string_view field)
{
    std::vector<plantext::ParentText> parents;
    size_t line = 0;
    while (!field.empty() || line == 0) {
        ++line;
        const size_t end = field.find('\n');
        const std::string_view text = text::trimmed(field.substr(0, end));
        field.remove_prefix(end == std::string_view::npos ? field.size() : end + 1);
        if (!text.empty())
            parents.push_back({std::string(text), line});
    }
    return parents;
}

bool blankRequest(const plantext::RequestText& row)
{
    return text::trimmed(row.name).empty() && text::trimmed(row.size).empty();
}

void readTexts(std::string_view parents, const std::vector<plantext::RequestText>& rows,
               const PlanOptions& options, ReadPlan& read)
{
    read.faults.clear();
    read.input.options = options;
    read.input.parents.clear();
    read.parents.clear();
    std::string expected;
    for (const plantext::ParentText& parent : parentLines(parents)) {
        CidrBlock block;
        if (cidrtext::readBlock(parent.text, block, expected)) {
            read.input.parents.push_back(block);
            read.parents.push_back(parent);
        } else {
            read.faults.push_back({PlanFault::Field::Parents, parent.line,
                                   "Line " + std::to_string(parent.line) + ": " +
                                       quoted(parent.text) + ": expected " + expected +
                                       " as a parent network"});
        }
    }

    // The requests' buffers are kept from one reading to the next: as
    // someone types, the names are copied into room they already have.
    std::vector<PlanRequest>& requests = read.input.requests;
    read.rowOf.clear();
    size_t used = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        const plantext::RequestText& text = rows[row];
        if (blankRequest(text))
            continue;
        if (used == requests.size())
            requests.emplace_back();
        PlanRequest& request = requests[used];
        if (!plantext::checkRequestName(text.name, expected)) {
            read.faults.push_back({PlanFault::Field::Name, row,
                                   rowText(row) + quoted(text.name) + ": expected " + expected});
        } else if (!plantext::readRequestSize(text.size, request, expected)) {
            read.faults.push_back({PlanFault::Field::Size, row,
                                   rowText(row) + quoted(text.size) + ": expected " + expected});
        } else {
            request.name.assign(text.name);
            read.rowOf.push_back(uint32_t(row));
            ++used;
        }
    }
    requests.resize(used);
}

PlanFault faultOf(const PlanProblem& problem, const ReadPlan& read,
                  const std::vector<plantext::RequestText>& rows)
{
    using Where = PlanProblem::Where;
    const std::string expected = ": expected " + problem.expected;
    switch (problem.where) {
    case Where::Parents:
        return {PlanFault::Field::Parents, 0, "Expected " + problem.expected};
    case Where::Parent: {
        const plantext::ParentText& parent = read.parents[problem.index];
        return {PlanFault::Field::Parents, parent.line,
                "Line " + std::to_string(parent.line) + ": " + quoted(parent.text) + expected};
    }
    case Where::Request: {
        if (problem.index >= read.rowOf.size())
            return {PlanFault::Field::Size, rows.size(), "The plan" + expected};
        const size_t row = read.rowOf[problem.index];
        if (problem.sameName)
            return {PlanFault::Field::Name, row,
                    rowText(row) + quoted(rows[row].name) + expected + " (row " +
                        std::to_string(read.rowOf[*problem.sameName] + 1) + " has it too)"};
        return {PlanFault::Field::Size, row, rowText(row) + quoted(rows[row].size) + expected};
    }
    case Where::Mode:
        return {PlanFault::Field::Mode, 0,
                std::string("Reservation mode '") + modeName(read.input.options.mode) + "'" +
                    expected};
    case Where::Nibble:
        return {PlanFault::Field::Nibble, 0, "Nibble boundaries" + expected};
    case Where::P2p30:
        return {PlanFault::Field::P2p30, 0, "Point-to-point links as /30" + expected};
    case Where::P2p127:
        return {PlanFault::Field::P2p127, 0, "Point-to-point links as /127" + expected};
    case Where::Grow:
        return {PlanFault::Field::Grow, 0,
                "Growth margin " + std::to_string(read.input.options.growPercent) + "%" + expected};
    }
    return {PlanFault::Field::Parents, 0, "The plan" + expected};
}

} // namespace planreading
