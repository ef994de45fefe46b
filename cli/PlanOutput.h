#pragma once

#include "cli/Report.h"
#include "ipaddress/AddressPlan.h"

// A plan's result in the report's format: text gives the placed blocks,
// then "Did not fit" when some did not, then "Free" with the free blocks
// and each parent's share in use; JSON gives one document with all of it;
// CSV and TSV give the placed blocks. Returns the exit status: 0 when every
// request was placed, 1 when some did not fit.
int writePlan(Report& report, const PlanInput& input, const PlanResult& result);
