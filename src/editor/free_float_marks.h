#pragma once

#include "model/project.h"
#include "platform/surface.h"

namespace arrowplan {

// The free float of each job of the last schedule shown on the chart: the
// arrow stands for the job's duration and its free float together, and the
// float's share of it, next to the head, gets a dotted green line beside the
// arrow, so that how far a job may slip without moving any other can be
// seen. Nothing where the schedule's floats leave the currency range. Leaves
// the surface in black, solid, pen width 1.
void drawFreeFloats(const Project& project, Surface& surface);

} // namespace arrowplan
