#include "risk/classic_pert.h"

#include "risk/network_passes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace arrowplan {

double normalCdf(double z) {
    return 0.5 * std::erfc(-z / std::numbers::sqrt2);
}

ClassicPert classicPert(const RiskNetwork& network, std::optional<double> byWeek) {
    checkWeek(byWeek);
    const NetworkPasses passes(network);
    ClassicPert result;
    std::vector<double> means;
    for (const RiskJob& job : network.jobs) {
        const PertJob pert =
            job.estimate ? PertJob{pertMean(*job.estimate) + job.delay, pertSigma(*job.estimate)}
                         : PertJob{job.duration, 0};
        result.jobs.push_back(pert);
        means.push_back(pert.mean);
    }
    std::vector<double> early;
    passes.forward(means, early);

    // Where several paths are critical, the one of the largest variance is
    // taken: it gives the least optimistic probability, the side a planner
    // would rather err on. Among paths of equal variance the first tight job
    // into each event, in job order, is kept. A node no tight job reaches
    // starts a path (its early time is 0: node 1, or a node without jobs in).
    const std::size_t slots = passes.finishNode() + 1;
    std::vector<double> pathVariance(slots, 0.0);
    std::vector<const NetworkPasses::Arc*> lastArc(slots, nullptr);
    for (const NetworkPasses::Arc& arc : passes.byEnd()) {
        if (!passes.tight(arc, means, early)) {
            continue;
        }
        const double sigma = result.jobs[arc.job].sigma;
        const double variance = pathVariance[arc.from] + sigma * sigma;
        if (!lastArc[arc.to] || variance > pathVariance[arc.to]) {
            pathVariance[arc.to] = variance;
            lastArc[arc.to] = &arc;
        }
    }
    for (const NetworkPasses::Arc* arc = lastArc[passes.finishNode()]; arc;
         arc = lastArc[arc->from]) {
        result.criticalPath.push_back(static_cast<int>(arc->job));
    }
    std::reverse(result.criticalPath.begin(), result.criticalPath.end());

    result.mean = early[passes.finishNode()];
    result.sigma = std::sqrt(pathVariance[passes.finishNode()]);
    if (byWeek) {
        // A finish no estimate moves is by the week when the schedule says
        // so, though doubles' rounding may put it a hair later.
        const bool fixedInTime = result.mean <= *byWeek + passes.tolerance();
        result.chanceByWeek = result.sigma > 0 ? normalCdf((*byWeek - result.mean) / result.sigma)
                                               : (fixedInTime ? 1.0 : 0.0);
    }
    return result;
}

} // namespace arrowplan
