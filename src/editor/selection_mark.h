#pragma once

#include "model/project.h"
#include "platform/surface.h"

namespace arrowplan {

// What the Select mode has chosen on the chart.
struct ChartSelection {
    enum class Kind { none, node, job };
    Kind kind = Kind::none;
    int index = 0;

    bool operator==(const ChartSelection&) const = default;
};

// The selection drawn over the chart in a colour the chart uses for nothing
// else: a ring around a node, a band along a job's arrow with the arrow
// drawn again on it as the chart draws it. Leaves the surface in black,
// solid, pen width 1.
void drawSelectionMark(const Project& project, Surface& surface, const ChartSelection& selected);

// The ring of a selected node, around (x, y): where a dragged node would land.
void drawNodeRing(Surface& surface, double x, double y);

} // namespace arrowplan
