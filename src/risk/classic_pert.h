#pragma once

#include "risk/risk_network.h"

#include <optional>
#include <vector>

namespace arrowplan {

// A job's expected time and standard deviation as classic PERT has them: an
// estimated job's (o + 4m + p) / 6 plus its delay and (p - o) / 6, a fixed
// job's duration and 0.
struct PertJob {
    double mean = 0;
    double sigma = 0;

    bool operator==(const PertJob&) const = default;
};

// Classic PERT: the schedule of the jobs' expected times, and the project's
// finish as the sum along its critical path, normal by the central limit
// theorem. Every other path is ignored, so where paths merge the figures are
// optimistic; the simulation shows by how much.
struct ClassicPert {
    std::vector<PertJob> jobs;
    std::vector<int> criticalPath; // job indices (job number - 1), start to finish
    double mean = 0;
    double sigma = 0;
    std::optional<double> chanceByWeek; // P(finish <= the week), when asked

    bool operator==(const ClassicPert&) const = default;
};

// Throws RiskError for a network checkNetwork refuses.
ClassicPert classicPert(const RiskNetwork& network, std::optional<double> byWeek = std::nullopt);

// The standard normal distribution function.
double normalCdf(double z);

} // namespace arrowplan
