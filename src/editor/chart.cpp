#include "editor/chart.h"

#include "model/chart_geometry.h"
#include "model/number_text.h"
#include "schedule/cpm.h"

#include <cmath>

namespace arrowplan {

namespace {

// The chart's geometry was worked out with this value of pi.
constexpr double pi = 3.141592;
constexpr double barbLength = 300;
constexpr double barbAngle = 170.0 / 180.0 * pi;
using namespace chart_geometry;
constexpr double nameFontSize = 16;

Point nodeCentre(const Project& project, Currency node) {
    const long long slot = nodeSlot(node);
    return {project.nodeX[slot], project.nodeY[slot]};
}

// The job Add Edge has counted but whose end is still to be chosen; a
// repaint while the window waits for that end leaves it out.
bool isHalfMade(const Project& project, int job) {
    return project.edgeStarted == 1 && job == project.edgeCount;
}

// A time that does not fit the schedule's sums marks no arrow critical; the
// CPM command reports it.
bool drawnCritical(const Project& project, int job) {
    try {
        return isCritical(project, job);
    } catch (const CurrencyOverflow&) {
        return false;
    }
}

// Each point is rounded to single precision, as the window takes it.
void lineBetween(Surface& surface, Point a, Point b) {
    surface.line(static_cast<float>(a.x), static_cast<float>(a.y), static_cast<float>(b.x),
                 static_cast<float>(b.y));
}

} // namespace

// On the screen colour tells the schedule: critical arrows yellow, tree
// arrows blue (their labels too), dummies dotted.
void drawScreenArrow(const Project& project, Surface& surface, int i) {
    surface.setLineStyle(arrowStyle(project, i));
    surface.setDrawColour(drawnCritical(project, i) ? colours::highlight : colours::black);
    if (project.edgeInTree[i] == 1) {
        // Blue stays in force for the label, and for the node figures when
        // this is the last job.
        surface.setDrawColour(colours::treeArrow);
        drawArrow(project, surface, i);
    } else {
        drawArrow(project, surface, i);
        surface.setDrawColour(colours::black);
    }
}

namespace {

// On paper everything is black: a critical arrow is thick, a dummy dashed
// (and never thick).
void drawPageArrow(const Project& project, Surface& surface, int i) {
    const bool dummy = project.edgeWeight[i] == 0.0f;
    surface.setLineStyle(dummy ? LineStyle::dashed : LineStyle::solid);
    surface.setPenWidth(drawnCritical(project, i) && !dummy ? 3 : 1);
    surface.setDrawColour(colours::black);
    drawArrow(project, surface, i);
}

void drawJob(const Project& project, Surface& surface, int i, ChartTarget target) {
    if (target == ChartTarget::screen) {
        drawScreenArrow(project, surface, i);
    } else {
        drawPageArrow(project, surface, i);
    }
    const Point middle = jobMidpoint(project, i);
    surface.setPosition(middle.x, middle.y);
    if (target == ChartTarget::screen) {
        surface.setLineStyle(LineStyle::solid);
    }
    surface.printText(surfaceText(project.edgeWeight[i]));
    if (const Currency delay = project.jobDelay[i]; delay != Currency()) {
        surface.printText("(");
        surface.printText(surfaceText(delay));
        surface.printText(")");
    }
    surface.endLine();
}

void printLabel(Surface& surface, const ChartLabel& label) {
    surface.setPosition(label.corner.x, label.corner.y);
    for (const std::string& piece : label.pieces) {
        surface.printText(piece);
    }
}

// Only a starred run ends its line.
void drawNodeFigures(const Project& project, Surface& surface, int k) {
    printLabel(surface, figuresLabel(project, k));
    if (isCriticalEvent(project, k)) {
        surface.endLine();
    }
}

// On the screen the name's bottom is at two thirds of the window; on paper
// its top is one line below the upper third of the page.
void drawProjectName(const Project& project, Surface& surface, ChartTarget target) {
    surface.setDrawColour(colours::projectName);
    surface.setFontSize(nameFontSize);
    const std::string& name = project.projectName;
    const double w = surface.outerWidth();
    const double h = surface.outerHeight();
    const double y = target == ChartTarget::screen ? 2.0 / 3.0 * h - surface.textHeight(name)
                                                   : h / 3.0 + surface.textHeight(name);
    surface.setPosition(w / 2 - surface.textWidth(name) / 2, y);
    surface.printText(name);
    surface.endLine();
}

} // namespace

Point jobMidpoint(const Project& project, int job) {
    const Point a = nodeCentre(project, project.edgeFrom[job]);
    const Point b = nodeCentre(project, project.edgeTo[job]);
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

ChartLabel figuresLabel(const Project& project, int node) {
    ChartLabel label{
        {project.nodeX[node], project.nodeY[node] + figuresOffsetY},
        {surfaceText(project.earlyTime[node]), ",", surfaceText(project.lateTime[node])}};
    if (isCriticalEvent(project, node)) {
        label.pieces.emplace_back("*");
    }
    return label;
}

ChartLabel titleLabel(const Project& project, int job) {
    const Point middle = jobMidpoint(project, job);
    return {{middle.x, middle.y + titleOffsetY}, {project.jobTitle[job].text()}};
}

LineStyle arrowStyle(const Project& project, int job) {
    return project.edgeWeight[job] == 0.0f ? LineStyle::dotted : LineStyle::solid;
}

void drawNode(const Project& project, Surface& surface, int i) {
    surface.circle(project.nodeX[i], project.nodeY[i], nodeRadius);
    surface.setPosition(project.nodeX[i] + numberOffsetX, project.nodeY[i] + numberOffsetY);
    surface.printText(surfaceText(project.nodeNumber[i]));
    surface.endLine();
}

void drawArrow(const Project& project, Surface& surface, int job) {
    const Point from = nodeCentre(project, project.edgeFrom[job]);
    const Point to = nodeCentre(project, project.edgeTo[job]);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) {
        return;
    }
    const double ux = dx / length;
    const double uy = dy / length;
    double t = 0;
    if (dx == 0) {
        t = dy > 0 ? pi / 2 : -pi / 2;
    } else {
        t = std::atan(dy / dx) + (dx < 0 ? pi : 0);
    }
    const Point start{from.x + nodeRadius * ux, from.y + nodeRadius * uy};
    const Point tip{from.x + (length - nodeRadius) * ux, from.y + (length - nodeRadius) * uy};
    const Point barb1{tip.x + barbLength * std::cos(t - barbAngle),
                      tip.y + barbLength * std::sin(t - barbAngle)};
    const Point barb2{tip.x + barbLength * std::cos(t + barbAngle),
                      tip.y + barbLength * std::sin(t + barbAngle)};
    lineBetween(surface, start, tip);
    lineBetween(surface, tip, barb1);
    lineBetween(surface, barb2, barb1);
    lineBetween(surface, tip, barb2);
}

void drawChart(const Project& project, Surface& surface, ChartTarget target) {
    if (target == ChartTarget::screen) {
        surface.clear();
        surface.setFillColour(colours::nodeFill);
    } else {
        surface.setFillColour(colours::black); // the page fills no circle
    }
    // Black whatever colour a mark left in force: a repaint in the middle of
    // a walk comes while its arrow is red.
    surface.setDrawColour(colours::black);
    for (int i = 1; i <= project.nodeCount; ++i) {
        drawNode(project, surface, i);
    }
    for (int i = 1; i <= project.edgeCount; ++i) {
        if (!isHalfMade(project, i)) {
            drawJob(project, surface, i, target);
        }
    }
    surface.setPenWidth(1);
    for (int k = 1; k <= project.nodeCount; ++k) {
        drawNodeFigures(project, surface, k);
    }
    surface.setDrawColour(target == ChartTarget::screen ? colours::title : colours::black);
    for (int m = 1; m <= project.edgeCount; ++m) {
        if (!isHalfMade(project, m)) {
            printLabel(surface, titleLabel(project, m));
            surface.endLine();
        }
    }
    drawProjectName(project, surface, target);
    surface.setFontSize(labelFontSize);
    surface.setDrawColour(colours::black);
}

} // namespace arrowplan
