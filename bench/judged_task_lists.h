#pragma once

#include "exchange/task_list.h"

#include <string>
#include <vector>

namespace arrowplan {

struct NamedTaskList {
    std::string name;
    TaskList list;
};

// The task lists the import's layout is judged on: seeded random lists of 12
// to 40 tasks in six shapes, four of each (a chain with links across, fans
// out and in, layers, dense, sparse, tasks sharing predecessor sets), then
// three independent tasks, and a chain of 20 with 18 tasks that each start
// after a task of the chain and end at the finish. The same lists on every
// run and every machine.
std::vector<NamedTaskList> judgedTaskLists();

} // namespace arrowplan
