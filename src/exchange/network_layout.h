#pragma once

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
// its designed size that no control covers, less room for a node's circle
// and the times printed above it.
struct LayoutArea {
    float left = 500;
    float top = 1800;
    float right = 10000;
    float bottom = 5300;
};

// Lays out an acyclic network in layers from left to right: node v of
// 0..nodeCount-1 goes to the column of its longest path (in arrows) from a
// node without incoming arrows, and the order within a column is chosen to
// cut crossings. Every arrow (from, to) ends up running from left to right,
// and no two circles (radius 200) overlap or touch; only an area far smaller
// than the window's, too small for the nodes, has them squeezed closer.
// Gives one place a node.
std::vector<NodePlace> layOutNetwork(int nodeCount, const std::vector<std::pair<int, int>>& arrows,
                                     const LayoutArea& area = {});

} // namespace arrowplan
