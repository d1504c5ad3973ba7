#pragma once

// Where the chart puts a node's circle and the texts around nodes and
// arrows, in twips: the drawing, the layout that places the nodes and the
// measure of how readable a chart is all go by these.
namespace arrowplan::chart_geometry {

constexpr double nodeRadius = 200;
// An arrow that passes a node it does not join nearer to its centre than
// this seems to end there: the circle and a little air around it.
constexpr double arrowClearance = nodeRadius + 60;
// A job's title has its top-left corner this far above its arrow's midpoint,
// where its time is written.
constexpr double titleOffsetY = -250;
// A node's early and late times have their top-left corner this far above
// its centre.
constexpr double figuresOffsetY = -500;
// The node's number inside its circle.
constexpr double numberOffsetX = -70;
constexpr double numberOffsetY = -100;
// The size of the chart's labels, in points.
constexpr double labelFontSize = 8;

} // namespace arrowplan::chart_geometry
