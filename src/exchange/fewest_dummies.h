#pragma once

#include "exchange/arrow_network.h"

#include <cstddef>
#include <vector>

namespace arrowplan {

// Which tasks wait for which: after[b][a] when task b waits for task a,
// directly or through others.
using TaskOrder = std::vector<std::vector<bool>>;

// The network of the tasks with the fewest dummies any network of them can
// have, and of the fewest events among those, proven so by a SAT solver.
// `known` is a network of the same tasks: its dummies bound the search.
ArrowNetwork fewestDummyNetwork(const TaskOrder& after, const ArrowNetwork& known);

} // namespace arrowplan
