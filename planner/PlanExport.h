#pragma once

#include "ipaddress/AddressPlan.h"
#include "output/Report.h"

#include <string>

// A plan's result as zentrix-cli plan writes it with --csv, --json or
// --tsv, through the same writer, so that a plan exported from the window
// and the same plan file run through the command line give one file byte
// for byte.
namespace planexport {

std::string document(const PlanInput& input, const PlanResult& result, Format format);

} // namespace planexport
