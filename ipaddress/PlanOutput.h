#pragma once

#include "ipaddress/AddressPlan.h"
#include "output/Report.h"

// A plan's result in the report's format, for zentrix-cli plan and the
// planner window's copies and exports alike, so that both give one
// document byte for byte: text gives the placed blocks,
// then "Did not fit" when some did not, then "Free" with the free blocks
// and each parent's share in use; JSON gives one document with all of it;
// JSON lines, CSV and TSV give the placed blocks. Returns the exit status: 0 when every
// request was placed, 1 when some did not fit.
int writePlan(Report& report, const PlanInput& input, const PlanResult& result);
