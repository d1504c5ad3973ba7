#include "editor/free_float_marks.h"

#include "model/chart_geometry.h"
#include "schedule/floats.h"

#include <cmath>

namespace arrowplan {

namespace {

// Far enough beside the arrow to be told from it, near enough to belong to it.
constexpr double beside = 90;

} // namespace

void drawFreeFloats(const Project& project, Surface& surface) {
    std::vector<JobFloats> floats;
    try {
        floats = jobFloats(project);
    } catch (const CurrencyOverflow&) {
        return;
    }
    surface.setDrawColour(colours::freeFloat);
    surface.setLineStyle(LineStyle::dotted);
    surface.setPenWidth(2); // a thin dotted line is lost on the window's blue
    for (const JobFloats& job : floats) {
        const double free = job.free.toDouble();
        const double duration = job.job.duration.toDouble();
        if (!(free > 0) || duration < 0) {
            continue;
        }
        const int j = job.job.job;
        const long long from = nodeSlot(project.edgeFrom[j]);
        const long long to = nodeSlot(project.edgeTo[j]);
        const double dx = project.nodeX[to] - project.nodeX[from];
        const double dy = project.nodeY[to] - project.nodeY[from];
        const double centres = std::hypot(dx, dy);
        // The arrow runs from circle to circle.
        const double length = centres - 2 * chart_geometry::nodeRadius;
        if (!(length > 0)) {
            continue;
        }
        const double ux = dx / centres;
        const double uy = dy / centres;
        // From the tip back by the float's share of the line, to the left of
        // the arrow as it runs.
        const double tipX = project.nodeX[to] - chart_geometry::nodeRadius * ux - beside * uy;
        const double tipY = project.nodeY[to] - chart_geometry::nodeRadius * uy + beside * ux;
        const double share = length * free / (duration + free);
        surface.line(static_cast<float>(tipX - share * ux), static_cast<float>(tipY - share * uy),
                     static_cast<float>(tipX), static_cast<float>(tipY));
    }
    surface.setPenWidth(1);
    surface.setLineStyle(LineStyle::solid);
    surface.setDrawColour(colours::black);
}

} // namespace arrowplan
