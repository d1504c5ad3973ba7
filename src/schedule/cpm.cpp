#include "schedule/cpm.h"

namespace arrowplan {

Currency duration(const Project& project, int job) {
    return Currency::fromFloat(project.edgeWeight[job]) + project.jobDelay[job];
}

void computeSchedule(Project& project) {
    // Comparisons are strict in both passes: among equal candidates the first
    // found stays, which changes nothing but keeps the order of evaluation.
    project.earlyTime[1] = Currency();
    for (int n = 2; n <= project.nodeCount; ++n) {
        const Currency node = Currency::fromWhole(n);
        Currency latest;
        for (int j = 1; j <= project.edgeCount; ++j) {
            if (project.edgeTo[j] == node) {
                const Currency candidate =
                    project.earlyTime[nodeSlot(project.edgeFrom[j])] + duration(project, j);
                if (candidate > latest) {
                    latest = candidate;
                }
            }
        }
        project.earlyTime[n] = latest;
    }

    project.lateTime[project.nodeCount] = project.earlyTime[project.nodeCount];
    for (int n = project.nodeCount - 1; n >= 1; --n) {
        const Currency node = Currency::fromWhole(n);
        Currency earliest = noLateTime;
        for (int j = 1; j <= project.edgeCount; ++j) {
            if (project.edgeFrom[j] == node) {
                const Currency candidate =
                    project.lateTime[nodeSlot(project.edgeTo[j])] - duration(project, j);
                if (candidate < earliest) {
                    earliest = candidate;
                }
            }
        }
        project.lateTime[n] = earliest;
    }
}

bool isCriticalEvent(const Project& project, long long node) {
    return project.earlyTime[node] == project.lateTime[node];
}

bool isCritical(const Project& project, int job) {
    const long long from = nodeSlot(project.edgeFrom[job]);
    const long long to = nodeSlot(project.edgeTo[job]);
    return isCriticalEvent(project, from) && isCriticalEvent(project, to) &&
           project.earlyTime[to] - project.earlyTime[from] == duration(project, job);
}

} // namespace arrowplan
