#pragma once

#include "model/project.h"

#include <initializer_list>

namespace arrowplan::testing {

struct JobSpec {
    int from = 0;
    int to = 0;
    float weight = 0;
    double delay = 0;
    double amount = 0;
    const char* title = "";
};

// A project of the given number of nodes, laid out on a row, and these jobs.
inline Project projectOf(int nodes, std::initializer_list<JobSpec> jobs) {
    Project project;
    project.nodeCount = static_cast<std::int16_t>(nodes);
    for (int i = 1; i <= nodes; ++i) {
        project.nodeX[i] = 1000.0f * static_cast<float>(i);
        project.nodeY[i] = 2000.0f;
        project.nodeNumber[i] = static_cast<float>(i);
    }
    for (const JobSpec& spec : jobs) {
        const int j = ++project.edgeCount;
        project.edgeFrom[j] = Currency::fromWhole(spec.from);
        project.edgeTo[j] = Currency::fromWhole(spec.to);
        project.edgeWeight[j] = spec.weight;
        project.jobDelay[j] = Currency::fromDouble(spec.delay);
        project.jobAmount[j] = Currency::fromDouble(spec.amount);
        project.jobTitle[j] = JobTitle(spec.title);
    }
    return project;
}

} // namespace arrowplan::testing
