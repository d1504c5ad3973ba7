#pragma once

#include "model/project.h"

#include <string>

namespace arrowplan {

// The largest project the tables hold: 100 nodes on a grid across the window
// and 100 jobs (a chain through every node, and one long job beside it), each
// with a title, a delay, an amount and a two-line description. The chain's
// times add up to weeks weeks.
Project largestProject(int weeks = 500);

// A long description of some 2,000 characters over two dozen lines, as a user who
// keeps contacts and site notes on a card types it; a different text for
// every seed.
std::string longDescription(int seed);

// The largest project with a long description of its own on every job.
Project largestProjectWithLongDescriptions();

} // namespace arrowplan
