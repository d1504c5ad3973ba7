#pragma once

#include "model/project.h"
#include "platform/surface.h"

#include <string>
#include <vector>

namespace arrowplan {

struct Point {
    double x;
    double y;
};

// Halfway between the centres of a job's two nodes: where its time is written.
Point jobMidpoint(const Project& project, int job);

// A text the chart writes in one run: its top-left corner and the pieces it
// is printed in, one after another.
struct ChartLabel {
    Point corner;
    std::vector<std::string> pieces;
};

// A node's early and late times over its circle: early, a comma, late, and a
// star where the two meet.
ChartLabel figuresLabel(const Project& project, int node);

// A job's title over its arrow's midpoint, padded to its 14 characters.
ChartLabel titleLabel(const Project& project, int job);

// A dummy (expected time 0) is dotted, every other arrow solid.
LineStyle arrowStyle(const Project& project, int job);

// The arrow of one job (shaft and closed head) between the circles of its two
// nodes, in the surface's current colour, line style and pen width. Both
// nodes on one centre give no direction, so such an arrow is not drawn.
void drawArrow(const Project& project, Surface& surface, int job);

// A job's arrow as the window's chart draws it: yellow when critical, blue
// in the spanning tree (and left blue), else black; dotted for a dummy.
void drawScreenArrow(const Project& project, Surface& surface, int job);

// Node i's circle, outlined in the drawing colour and filled with the fill
// colour, with its number inside.
void drawNode(const Project& project, Surface& surface, int i);

// The window shows the schedule in colour; the printed page in black, by line
// weight and style.
enum class ChartTarget { screen, page };

// The whole chart from the tables: nodes with their numbers, arrows with their
// times, the early and late times over each node with a star where they meet,
// the titles and the project name. Critical arrows are yellow, spanning-tree
// arrows blue, dummies dotted; on a page all is black but the name, critical
// arrows are thick and dummies dashed. The page is not cleared first: a new
// printer document is blank. A job whose end is still being chosen is left
// out. The nodes are outlined in black whatever colour was in force. Leaves
// the surface in black, 8 points, pen width 1.
void drawChart(const Project& project, Surface& surface, ChartTarget target = ChartTarget::screen);

} // namespace arrowplan
