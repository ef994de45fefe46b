#pragma once

#include "ipaddress/PlanText.h"

#include <string>
#include <string_view>
#include <vector>

// Plan files (.zplan): the parents, the requests and the options of a plan
// as a JSON document, saved by the window and read by it and by
// `zentrix-cli plan --file`:
//
//   {
//     "format": "zentrix-plan",
//     "version": 1,
//     "parents": ["10.20.0.0/22"],
//     "requests": [{"name": "sales", "size": "100"}, {"name": "lab", "size": "/28"}],
//     "options": {"mode": "standard", "grow": 0, "nibble": false, "p2p30": false,
//                 "p2p127": false, "order": "size"}
//   }
//
// Parents and sizes are kept as typed, so a plan saved with a mistake in it
// reopens with the same text; they are read as networks and sizes when the
// plan is made. "options" and each of its members may be left out (the
// defaults above); anything else missing, of another type or unknown is
// refused with its line and column.

constexpr int64_t PlanFileVersion = 1;

struct PlanFile
{
    std::vector<plantext::ParentText> parents;
    std::vector<plantext::RequestText> requests;
    PlanOptions options;
};

// Raises EZentrixError ("line L, column C: expected ...") on a text that is
// no plan file of this version.
PlanFile readPlanFile(std::string_view text);

std::string writePlanFile(const PlanFile& plan);
