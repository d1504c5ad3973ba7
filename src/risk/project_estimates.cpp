#include "risk/project_estimates.h"

namespace arrowplan {

std::optional<ThreePoint> estimateOf(const Project& project, int job) {
    if (!hasEstimate(project, job)) {
        return std::nullopt;
    }
    return ThreePoint{project.jobOptimistic[job], project.jobMostLikely[job],
                      project.jobPessimistic[job]};
}

std::vector<std::optional<ThreePoint>> projectEstimates(const Project& project) {
    std::vector<std::optional<ThreePoint>> estimates;
    for (int j = 1; j <= project.edgeCount; ++j) {
        estimates.push_back(estimateOf(project, j));
    }
    return estimates;
}

void setEstimate(Project& project, int job, const std::optional<ThreePoint>& estimate) {
    const ThreePoint stored = estimate.value_or(ThreePoint{});
    project.jobOptimistic[job] = static_cast<float>(stored.optimistic);
    project.jobMostLikely[job] = static_cast<float>(stored.mostLikely);
    project.jobPessimistic[job] = static_cast<float>(stored.pessimistic);
}

void useEstimates(Project& project) {
    for (int j = 1; j <= project.edgeCount; ++j) {
        if (const auto estimate = estimateOf(project, j)) {
            project.edgeWeight[j] = static_cast<float>(pertMean(*estimate));
        }
    }
}

} // namespace arrowplan
