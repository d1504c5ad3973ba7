#pragma once

#include <string>
#include <utility>
#include <vector>

namespace arrowplan {

// Node centres, in twips of the main window's drawing surface.
struct NodePlace {
    float x = 0;
    float y = 0;
    bool operator==(const NodePlace&) const = default;
};

// The rectangle the node centres may take: the part of the main window at
// its designed size that no control covers (the toolbar above, the list box
// below), less room for a node's circle and the times printed above it.
struct LayoutArea {
    float left = 500;
    float top = 1400;
    float right = 10000;
    float bottom = 5500;
};

// Lays out an acyclic network from left to right for the chart, which draws
// every arrow straight between node centres: in layers first, each long
// arrow's line kept clear of the nodes of the columns it passes as far as
// the room allows, then node by node moved to where fewest arrows pass over
// nodes, cross, or run their labels (`titles`, one an arrow, may be left
// out) into circles and each other. Every arrow (from, to) runs from left to
// right, and no two circles (radius 200) overlap or touch; only an area far
// smaller than the window's, too small for the nodes, has them squeezed
// closer. The same network always gives the same places. Gives one place a
// node.
std::vector<NodePlace> layOutNetwork(int nodeCount, const std::vector<std::pair<int, int>>& arrows,
                                     const LayoutArea& area = {},
                                     const std::vector<std::string>& titles = {});

} // namespace arrowplan
