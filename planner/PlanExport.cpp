#include "planner/PlanExport.h"

#include "ipaddress/PlanOutput.h"

namespace planexport {

std::string document(const PlanInput& input, const PlanResult& result, Format format)
{
    std::string text;
    Output out(text);
    Report report(out, format);
    writePlan(report, input, result);
    out.flush();
    return text;
}

} // namespace planexport
