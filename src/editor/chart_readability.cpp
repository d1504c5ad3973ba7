#include "editor/chart_readability.h"

#include "editor/chart.h"
#include "exchange/plane_geometry.h"
#include "model/chart_geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace arrowplan {

namespace {

using namespace chart_geometry;
using plane::Box;
using plane::Vec;

struct Arrow {
    int job;
    long long from;
    long long to;
    Vec a;
    Vec b;
};

Vec centreOf(const Project& project, long long node) {
    return {project.nodeX[node], project.nodeY[node]};
}

bool onChart(const Project& project, long long node) {
    return node >= 1 && node <= project.nodeCount;
}

std::vector<Arrow> drawnArrows(const Project& project) {
    std::vector<Arrow> arrows;
    for (int job = 1; job <= project.edgeCount; ++job) {
        const long long from = nodeSlot(project.edgeFrom[job]);
        const long long to = nodeSlot(project.edgeTo[job]);
        if (onChart(project, from) && onChart(project, to)) {
            arrows.push_back({job, from, to, centreOf(project, from), centreOf(project, to)});
        }
    }
    return arrows;
}

// Two jobs between the same two events look like one, even where the two
// events sit on one centre and no stretch of line is drawn.
bool overlap(const Arrow& s, const Arrow& t) {
    return plane::segmentsOverlap(s.a, s.b, t.a, t.b) || (s.from == t.from && s.to == t.to) ||
           (s.from == t.to && s.to == t.from);
}

// The ink of a label: its run without the blanks that end it, which print
// nothing; a run of blanks has none.
std::optional<Box> inkOf(const ChartLabel& label, const Surface& metrics) {
    std::string run;
    for (const std::string& piece : label.pieces) {
        run += piece;
    }
    run.erase(run.find_last_not_of(' ') + 1);
    if (run.empty()) {
        return std::nullopt;
    }
    const Point corner = label.corner;
    return Box{corner.x, corner.y, corner.x + metrics.textWidth(run),
               corner.y + metrics.textHeight(run)};
}

int textCollisions(const Project& project, const std::vector<Arrow>& arrows,
                   const Surface& metrics) {
    std::vector<Box> boxes;
    const auto add = [&](const ChartLabel& label) {
        if (const auto box = inkOf(label, metrics)) {
            boxes.push_back(*box);
        }
    };
    for (int node = 1; node <= project.nodeCount; ++node) {
        add(figuresLabel(project, node));
    }
    for (const Arrow& arrow : arrows) {
        add(titleLabel(project, arrow.job));
    }
    int count = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (int node = 1; node <= project.nodeCount; ++node) {
            count += plane::boxMeetsCircle(boxes[i], centreOf(project, node), nodeRadius) ? 1 : 0;
        }
        for (std::size_t k = i + 1; k < boxes.size(); ++k) {
            count += plane::boxesMeet(boxes[i], boxes[k]) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

ChartReadability readabilityOf(const Project& project, Surface& metrics) {
    const std::vector<Arrow> arrows = drawnArrows(project);
    ChartReadability counts;
    for (std::size_t i = 0; i < arrows.size(); ++i) {
        const Arrow& s = arrows[i];
        for (int node = 1; node <= project.nodeCount; ++node) {
            if (node != s.from && node != s.to &&
                plane::distanceToSegment(centreOf(project, node), s.a, s.b) < arrowClearance) {
                ++counts.arrowsThroughNodes;
            }
        }
        for (std::size_t k = i + 1; k < arrows.size(); ++k) {
            const Arrow& t = arrows[k];
            counts.crossings += plane::segmentsCross(s.a, s.b, t.a, t.b) ? 1 : 0;
            counts.overlaps += overlap(s, t) ? 1 : 0;
        }
    }
    metrics.setFontSize(labelFontSize);
    counts.textCollisions = textCollisions(project, arrows, metrics);
    return counts;
}

} // namespace arrowplan
