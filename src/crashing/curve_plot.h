#pragma once

#include "crashing/time_cost.h"
#include "platform/surface.h"

namespace arrowplan {

// The colours of the plot's three costs; the total is drawn thickest.
inline constexpr Colour directCostColour = colours::treeArrow;
inline constexpr Colour indirectCostColour = 0x008000; // green
inline constexpr Colour totalCostColour = colours::red;

// The least-cost curve drawn over the surface's whole outer rectangle: the
// direct, the indirect and the total cost against the project's length, the
// shortest on the left, on axes with a few round figures each, a legend
// above, and a dotted line at the length chosen for the least total cost.
void drawCurvePlot(const TimeCostCurve& curve, Surface& surface);

} // namespace arrowplan
