#include "risk/project_estimates.h"

namespace arrowplan {

std::vector<std::optional<ThreePoint>> projectEstimates(const Project& project) {
    std::vector<std::optional<ThreePoint>> estimates;
    for (int j = 1; j <= project.edgeCount; ++j) {
        estimates.push_back(estimateOf(project, j));
    }
    return estimates;
}

void useEstimates(Project& project) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        if (const auto estimate = estimateOf(project, j)) {
            project.edgeWeight[j] = static_cast<float>(pertMean(*estimate));
        }
    }
}

} // namespace arrowplan
