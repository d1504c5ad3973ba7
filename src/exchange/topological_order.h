#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace arrowplan {

// The nodes 0..count-1 of an acyclic graph in Kahn's order: each after every
// node with an arrow (from, to) into it.
std::vector<std::size_t>
topologicalOrder(std::size_t count, const std::vector<std::pair<std::size_t, std::size_t>>& arrows);

} // namespace arrowplan
