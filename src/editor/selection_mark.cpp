#include "editor/selection_mark.h"

#include "editor/chart.h"
#include "model/chart_geometry.h"

#include <cmath>
#include <numbers>

namespace arrowplan {

namespace {

constexpr double ringRadius = chart_geometry::nodeRadius + 60;
// Enough sides that the ring looks round at the largest zoom.
constexpr int ringSides = 48;
constexpr int markWidth = 5;

} // namespace

void drawNodeRing(Surface& surface, double x, double y) {
    surface.setDrawColour(colours::selection);
    surface.setPenWidth(markWidth);
    surface.setLineStyle(LineStyle::solid);
    for (int side = 0; side < ringSides; ++side) {
        const double a = 2 * std::numbers::pi * side / ringSides;
        const double b = 2 * std::numbers::pi * (side + 1) / ringSides;
        surface.line(x + ringRadius * std::cos(a), y + ringRadius * std::sin(a),
                     x + ringRadius * std::cos(b), y + ringRadius * std::sin(b));
    }
    surface.setPenWidth(1);
    surface.setDrawColour(colours::black);
}

void drawSelectionMark(const Project& project, Surface& surface, const ChartSelection& selected) {
    if (selected.kind == ChartSelection::Kind::none) {
        return;
    }
    if (selected.kind == ChartSelection::Kind::node) {
        drawNodeRing(surface, project.nodeX[selected.index], project.nodeY[selected.index]);
    } else {
        surface.setDrawColour(colours::selection);
        surface.setPenWidth(markWidth);
        surface.setLineStyle(LineStyle::solid);
        drawArrow(project, surface, selected.index);
        surface.setPenWidth(1);
        drawScreenArrow(project, surface, selected.index);
    }
    surface.setPenWidth(1);
    surface.setLineStyle(LineStyle::solid);
    surface.setDrawColour(colours::black);
}

} // namespace arrowplan
