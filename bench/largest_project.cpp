#include "largest_project.h"

#include <string>

namespace arrowplan {

Project largestProject(int weeks) {
    Project project;
    project.nodeCount = maxItems;
    for (int i = 1; i <= maxItems; ++i) {
        project.nodeX[i] = 600.0f + 1000.0f * static_cast<float>((i - 1) % 10);
        project.nodeY[i] = 1300.0f + 450.0f * static_cast<float>((i - 1) / 10);
        project.nodeNumber[i] = static_cast<float>(i);
    }
    const int chain = maxItems - 1;
    for (int j = 1; j <= maxItems; ++j) {
        const bool chained = j <= chain;
        project.edgeFrom[j] = Currency::fromWhole(chained ? j : 1);
        project.edgeTo[j] = Currency::fromWhole(chained ? j + 1 : 50);
        // Four weeks and a delay of one on every job of the chain: 99 x 5.
        project.edgeWeight[j] = 4;
        project.jobDelay[j] = Currency::fromWhole(1);
        project.jobTitle[j] = JobTitle("Job " + std::to_string(j));
        project.jobAmount[j] = Currency::fromWhole(1000 + j);
        project.jobPayMode[j] = static_cast<std::int16_t>(j % 4);
        project.jobNotes[j] = "First line of job " + std::to_string(j) + "\nSecond line";
    }
    // The last job of the chain takes up what is left of the weeks.
    project.jobDelay[chain] = Currency::fromWhole(weeks - 4 - (chain - 1) * 5);
    project.edgeCount = maxItems;
    project.projectName = "Largest";
    return project;
}

std::string longDescription(int seed) {
    constexpr std::size_t length = 2000;
    std::string text;
    for (int line = 1; text.size() < length; ++line) {
        text += "Note " + std::to_string(line) + " on job " + std::to_string(seed) +
                ": supplier called, crew of four booked, materials on site by Monday.\n";
    }
    return text;
}

Project largestProjectWithLongDescriptions() {
    Project project = largestProject();
    for (int j = 1; j <= maxItems; ++j) {
        project.jobNotes[j] = longDescription(j);
    }
    return project;
}

} // namespace arrowplan
