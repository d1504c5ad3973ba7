#include "editor/chart_hits.h"

#include "exchange/plane_geometry.h"
#include "model/number_text.h"
#include "schedule/cpm.h"

#include <cmath>
#include <limits>

namespace arrowplan {

namespace {

constexpr double hitRadius = 200;

std::string payModeName(std::int16_t mode) {
    return mode >= payEvenly && mode <= payAtEnd ? payModeNames[mode] : "no payment";
}

} // namespace

int nodeAt(const Project& project, double x, double y) {
    int found = 0;
    for (int i = 1; i <= project.nodeCount; ++i) {
        if (std::hypot(x - project.nodeX[i], y - project.nodeY[i]) < hitRadius) {
            found = i;
        }
    }
    return found;
}

int jobNear(const Project& project, double x, double y, double within) {
    int found = 0;
    double nearest = std::numeric_limits<double>::infinity();
    for (int j = 1; j <= project.edgeCount; ++j) {
        const long long from = nodeSlot(project.edgeFrom[j]);
        const long long to = nodeSlot(project.edgeTo[j]);
        if (!isSlot(from) || !isSlot(to) || to == 0) {
            continue;
        }
        const double distance =
            plane::distanceToSegment({x, y}, {project.nodeX[from], project.nodeY[from]},
                                     {project.nodeX[to], project.nodeY[to]});
        if (distance <= within && distance < nearest) {
            nearest = distance;
            found = j;
        }
    }
    return found;
}

std::string jobFigures(const Project& project, int job) {
    const long long from = nodeSlot(project.edgeFrom[job]);
    const long long to = nodeSlot(project.edgeTo[job]);
    const Currency length = duration(project, job);
    const Currency earlyStart = project.earlyTime[from];
    const Currency lateFinish = project.lateTime[to];
    const Currency totalSlack = lateFinish - earlyStart - length;
    const Currency freeSlack = project.earlyTime[to] - earlyStart - length;
    const std::string title = project.jobTitle[job].trimmed();
    return "Job " + std::to_string(job) + " (" + std::to_string(from) + " to " +
           std::to_string(to) + ")" + (title.empty() ? "" : " " + title) + "\ntime " +
           plainText(project.edgeWeight[job]) + ", delay " + plainText(project.jobDelay[job]) +
           "\nearly start " + plainText(earlyStart) + ", late finish " + plainText(lateFinish) +
           "\ntotal slack " + plainText(totalSlack) + ", free slack " + plainText(freeSlack) +
           "\n" + (isCritical(project, job) ? "critical" : "not critical") + "\namount " +
           plainText(project.jobAmount[job]) + ", " + payModeName(project.jobPayMode[job]);
}

std::string nodeFigures(const Project& project, int node) {
    return "Node " + std::to_string(node) + "\nearly time " + plainText(project.earlyTime[node]) +
           ", late time " + plainText(project.lateTime[node]) + "\n" +
           (isCriticalEvent(project, node) ? "critical" : "not critical");
}

} // namespace arrowplan
