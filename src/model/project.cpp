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
    project.jobOptimistic[job] = 0;
    project.jobMostLikely[job] = 0;
    project.jobPessimistic[job] = 0;
    project.jobCrashTime[job] = 0;
    project.jobCrashCost[job] = Currency();
}

void deleteJob(Project& project, int job) {
    const int last = project.edgeCount;
    for (int i = job; i < last; ++i) {
        project.jobAmount[i] = project.jobAmount[i + 1];
        project.jobActualTime[i] = project.jobActualTime[i + 1];
        project.jobDelay[i] = project.jobDelay[i + 1];
        project.jobTitle[i] = project.jobTitle[i + 1];
        project.jobDone[i] = project.jobDone[i + 1];
        project.edgeFrom[i] = project.edgeFrom[i + 1];
        project.edgeTo[i] = project.edgeTo[i + 1];
        project.edgeWeight[i] = project.edgeWeight[i + 1];
        project.jobNotes[i] = project.jobNotes[i + 1];
        project.jobPayMode[i] = project.jobPayMode[i + 1];
        project.edgeInTree[i] = project.edgeInTree[i + 1];
        project.jobOptimistic[i] = project.jobOptimistic[i + 1];
        project.jobMostLikely[i] = project.jobMostLikely[i + 1];
        project.jobPessimistic[i] = project.jobPessimistic[i + 1];
        project.jobCrashTime[i] = project.jobCrashTime[i + 1];
        project.jobCrashCost[i] = project.jobCrashCost[i + 1];
    }
    clearJobSlot(project, last);
    --project.edgeCount;
}

void startOver(Project& project) {
    project.nodeCount = 0;
    project.edgeCount = 0;
    project.projectName.clear();
    project.indirectCostPerWeek = Currency();
    for (int i = 1; i <= maxItems; ++i) {
        clearJobSlot(project, i);
        project.earlyTime[i] = Currency();
        project.lateTime[i] = Currency();
    }
}

bool fitsSchedule(float expectedTime, Currency delay) {
    try {
        static_cast<void>(Currency::fromFloat(expectedTime) + delay);
        return true;
    } catch (const CurrencyOverflow&) {
        return false;
    }
}

} // namespace arrowplan
