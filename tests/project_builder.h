#pragma once

#include "model/project.h"

#include <initializer_list>
#include <string>

namespace arrowplan::testing {

struct JobRow {
    int from = 0;
    int to = 0;
    float weight = 0;
    double delay = 0;
    double amount = 0;
    const char* title = "";
};

// A project of the given number of nodes, laid out on a row, and these jobs.
inline Project projectOf(int nodes, std::initializer_list<JobRow> jobs) {
    Project project;
    project.nodeCount = static_cast<std::int16_t>(nodes);
    for (int i = 1; i <= nodes; ++i) {
        project.nodeX[i] = 1000.0f * static_cast<float>(i);
        project.nodeY[i] = 2000.0f;
        project.nodeNumber[i] = static_cast<float>(i);
    }
    for (const JobRow& row : jobs) {
        const int j = ++project.edgeCount;
        project.edgeFrom[j] = Currency::fromWhole(row.from);
        project.edgeTo[j] = Currency::fromWhole(row.to);
        project.edgeWeight[j] = row.weight;
        project.jobDelay[j] = Currency::fromDouble(row.delay);
        project.jobAmount[j] = Currency::fromDouble(row.amount);
        project.jobTitle[j] = JobTitle(row.title);
    }
    return project;
}

// Job number k's own values, different for every k, written into a slot.
inline void fillJob(Project& project, int slot, int k) {
    const int from = (k - 1) % (maxItems - 1) + 1;
    project.edgeFrom[slot] = Currency::fromWhole(from);
    project.edgeTo[slot] = Currency::fromWhole(from + 1);
    project.edgeWeight[slot] = static_cast<float>(k) * 0.125f;
    project.jobTitle[slot] = JobTitle("Job " + std::to_string(k));
    project.jobNotes[slot] = "notes of\njob " + std::to_string(k);
    project.jobDone[slot] = static_cast<std::int16_t>(k % 2);
    project.jobPayMode[slot] = static_cast<std::int16_t>(k % 4);
    project.jobAmount[slot] = Currency::fromWhole(k);
    project.jobActualTime[slot] = Currency::fromUnits(k);
    project.jobDelay[slot] = Currency::fromWhole(-k);
    project.jobCrashTime[slot] = static_cast<float>(k) * 0.0625f;
    project.jobCrashCost[slot] = Currency::fromWhole(2 * k);
}

// Every job and node slot from 1 to 100 holds what only a file or the user
// could have put there, for the commands that clear or copy whole tables.
inline Project fullProject() {
    Project project = projectOf(maxItems, {});
    project.edgeCount = maxItems;
    for (int k = 1; k <= maxItems; ++k) {
        fillJob(project, k, k);
    }
    project.projectName = "Full";
    project.indirectCostPerWeek = Currency::fromUnits(12345);
    return project;
}

} // namespace arrowplan::testing
