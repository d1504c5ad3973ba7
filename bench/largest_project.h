#pragma once

#include "model/project.h"

namespace arrowplan {

// The largest project the tables hold: 100 nodes on a grid across the window
// and 100 jobs (a chain through every node, and one long job beside it), each
// with a title, a delay, an amount and a two-line description. The chain's
// times add up to weeks weeks.
Project largestProject(int weeks = 500);

} // namespace arrowplan
