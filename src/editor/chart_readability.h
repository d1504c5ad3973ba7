#pragma once

#include "model/project.h"
#include "platform/surface.h"

namespace arrowplan {

// What makes a chart hard to read, counted on the chart as drawChart draws
// it; every count is a fault, so 0 is a clean chart.
struct ChartReadability {
    // Pairs of arrows that cross.
    int crossings = 0;
    // (arrow, node) pairs where the arrow passes the node without joining it.
    int arrowsThroughNodes = 0;
    // Pairs of arrows along one stretch of a line, or between the same two nodes.
    int overlaps = 0;
    // Pairs where a title or a node's times covers a circle or another of them.
    int textCollisions = 0;
    bool operator==(const ChartReadability&) const = default;
};

// Counts over the jobs whose two ends are nodes of the chart, each a straight
// line between the centres. The texts are measured by metrics at the chart's
// label size, which metrics is left at; the node times are the project's as
// they stand, so a project is scheduled first to be measured as the window
// shows it.
ChartReadability readabilityOf(const Project& project, Surface& metrics);

} // namespace arrowplan
