#include "model/estimate.h"

#include <cmath>

namespace arrowplan {

std::optional<std::string> estimateProblem(const ThreePoint& estimate) {
    const auto& [o, m, p] = estimate;
    if (!std::isfinite(o) || !std::isfinite(m) || !std::isfinite(p)) {
        return "every estimated time must be a number";
    }
    if (o < 0) {
        return "the optimistic time is below 0";
    }
    if (o > m) {
        return "the optimistic time is above the most likely time";
    }
    if (m > p) {
        return "the most likely time is above the pessimistic time";
    }
    if (p > longestEstimate) {
        return "the pessimistic time is above 1000000 weeks";
    }
    return std::nullopt;
}

double pertMean(const ThreePoint& estimate) {
    return (estimate.optimistic + 4 * estimate.mostLikely + estimate.pessimistic) / 6;
}

double pertSigma(const ThreePoint& estimate) {
    return (estimate.pessimistic - estimate.optimistic) / 6;
}

std::optional<ThreePoint> estimateOf(const Project& project, int job) {
    if (!hasEstimate(project, job)) {
        return std::nullopt;
    }
    return ThreePoint{project.jobOptimistic[job], project.jobMostLikely[job],
                      project.jobPessimistic[job]};
}

void setEstimate(Project& project, int job, const std::optional<ThreePoint>& estimate) {
    const ThreePoint kept = estimate.value_or(ThreePoint{});
    project.jobOptimistic[job] = static_cast<float>(kept.optimistic);
    project.jobMostLikely[job] = static_cast<float>(kept.mostLikely);
    project.jobPessimistic[job] = static_cast<float>(kept.pessimistic);
}

} // namespace arrowplan
