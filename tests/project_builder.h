#pragma once

#include "model/project.h"

#include <initializer_list>

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

} // namespace arrowplan::testing
