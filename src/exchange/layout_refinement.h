#pragma once

#include <vector>

namespace arrowplan {

// A laid-out network whose nodes may still move: each node stands at some
// place, and may move to any crossing of a column and a row of the grid that
// keeps its arrows running to the right and its circle clear of the others.
struct LayoutGrid {
    std::vector<double> columnX;
    std::vector<double> rowY;
    std::vector<double> x; // each node's place
    std::vector<double> y;
    double layerPitch = 1; // how far apart the layers' columns are
};

struct LayoutArrow {
    int from = 0;
    int to = 0;
    double titleWidth = 0; // twips; 0 for an arrow without a title
};

// Moves one node at a time to the place where the chart reads best, until no
// move helps or `passes` rounds are done. The worst fault is an arrow passing
// over a node it does not join, then arrows crossing, then labels (each
// title, and the node times `figuresWidth` wide) covering a circle or each
// other; last come arrows that climb or fall and arrows longer than they
// need be. The same input always gives the same places. It takes `share`
// of the work one layout may take. With `offGrid`, the arrows still over a
// node at the end are cleared by annealing the places off the grid, which
// keeps the picture with fewest arrows over nodes and, of those, the one
// that reads best. Gives what the faults left cost, to tell one picture
// from another.
double refineLayout(LayoutGrid& grid, const std::vector<LayoutArrow>& arrows, double figuresWidth,
                    int passes, double share, bool offGrid);

} // namespace arrowplan
