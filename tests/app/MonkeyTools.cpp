#include "tests/app/MonkeyPlanner.h"
#include "tests/app/MonkeyTool.h"

// One line per tool window: its steps and invariants live in files of its own.
const std::vector<std::unique_ptr<MonkeyTool>>& monkeyTools()
{
    static const std::vector<std::unique_ptr<MonkeyTool>> tools = [] {
        std::vector<std::unique_ptr<MonkeyTool>> list;
        list.push_back(std::make_unique<PlannerMonkey>());
        return list;
    }();
    return tools;
}
