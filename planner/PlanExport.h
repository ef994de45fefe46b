#pragma once

#include "ipaddress/AddressPlan.h"

#include <string>

// A plan's result as the documents zentrix-cli plan writes with --csv and
// --json, byte for byte, so that a plan exported from the window and the
// same plan file run through the command line give one file: CSV is the
// placed table under a header of field names; JSON is one document with
// "unplaced", "largest_free", "parents" and the "placed" table.
namespace planexport {

std::string csv(const PlanInput& input, const PlanResult& result);
std::string json(const PlanInput& input, const PlanResult& result);

} // namespace planexport
