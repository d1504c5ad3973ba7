#include "model/project.h"

namespace arrowplan {

void clearJobSlot(Project& project, int job) {
    project.jobDelay[job] = Currency();
    project.edgeWeight[job] = 0.0f;
    project.jobTitle[job] = JobTitle();
    project.jobDone[job] = 0;
    project.edgeFrom[job] = Currency();
    project.edgeTo[job] = Currency();
    project.jobNotes[job].clear();
    project.jobAmount[job] = Currency();
    project.jobActualTime[job] = Currency();
    project.jobPayMode[job] = payEvenly;
    project.edgeInTree[job] = 0;
}

void startOver(Project& project) {
    project.nodeCount = 0;
    project.edgeCount = 0;
    project.projectName.clear();
    for (int i = 1; i <= maxItems; ++i) {
        clearJobSlot(project, i);
        project.earlyTime[i] = Currency();
        project.lateTime[i] = Currency();
    }
}

} // namespace arrowplan
