#pragma once

#include "model/project.h"

#include <string>

namespace arrowplan {

// The node whose circle a click at (x, y) twips lands in, as the mouse modes
// find it: within 200 twips of its centre, the highest-numbered of
// overlapping nodes; 0 for none.
int nodeAt(const Project& project, double x, double y);

// The job whose arrow passes nearest to (x, y), within `within` twips of the
// straight line between its nodes' centres; the lower-numbered of equally
// near ones; 0 for none. A job still being drawn is passed over.
int jobNear(const Project& project, double x, double y, double within);

// What the chart holds of a job, in the lines a tooltip shows: its number
// and nodes, title, time and delay, early start and late finish, total and
// free slack, whether it is critical, its amount and payment mode. The
// figures are those of the last schedule.
std::string jobFigures(const Project& project, int job);

// A node's early and late time of the last schedule, and whether it is
// critical.
std::string nodeFigures(const Project& project, int node);

} // namespace arrowplan
