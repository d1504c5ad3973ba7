#pragma once

#include "model/project.h"

namespace arrowplan {

// The project with its nodes where Graphviz's dot puts them: the same arrow
// network as a graph, left to right, the nodes circles of the chart's size
// and the arrows straight. Throws std::runtime_error when dot cannot be run
// or its answer read.
Project placedByDot(const Project& project);

} // namespace arrowplan
