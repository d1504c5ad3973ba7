#include "risk/risk_network.h"

#include "schedule/cpm.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace arrowplan {

RiskNetwork riskNetworkOf(const Project& project,
                          const std::vector<std::optional<ThreePoint>>& estimates) {
    if (estimates.size() != static_cast<std::size_t>(project.edgeCount)) {
        throw std::invalid_argument("one estimate or none is needed for every job");
    }
    RiskNetwork network;
    network.nodeCount = project.nodeCount;
    for (int j = 1; j <= project.edgeCount; ++j) {
        RiskJob job;
        job.from = nodeSlot(project.edgeFrom[j]);
        job.to = nodeSlot(project.edgeTo[j]);
        job.duration = duration(project, j).toDouble();
        job.delay = project.jobDelay[j].toDouble();
        job.estimate = estimates[static_cast<std::size_t>(j - 1)];
        network.jobs.push_back(job);
    }
    return network;
}

void checkNetwork(const RiskNetwork& network) {
    if (network.nodeCount < 1) {
        throw RiskError("the project has no events to schedule");
    }
    for (std::size_t k = 0; k < network.jobs.size(); ++k) {
        const RiskJob& job = network.jobs[k];
        const std::string name = "job " + std::to_string(k + 1);
        // The passes work the events out in increasing order, so a job that
        // did not lead to a higher event would read a time not yet known.
        if (job.from < 1 || job.to <= job.from || job.to > network.nodeCount) {
            throw RiskError(name + " runs from node " + std::to_string(job.from) + " to node " +
                            std::to_string(job.to) + "; every job must lead from a node to a " +
                            "higher one, within nodes 1 to " + std::to_string(network.nodeCount));
        }
        if (!std::isfinite(job.duration) || !std::isfinite(job.delay)) {
            throw RiskError(name + " has a time that is not a number");
        }
        if (job.estimate) {
            if (const auto problem = estimateProblem(*job.estimate)) {
                throw RiskError(name + ": " + *problem);
            }
        }
    }
}

void checkWeek(std::optional<double> week) {
    if (week && std::isnan(*week)) {
        throw RiskError("the week to finish by must be a number");
    }
}

double slackTolerance(const RiskNetwork& network) {
    double reach = 0;
    for (const RiskJob& job : network.jobs) {
        if (job.estimate) {
            reach += std::max(std::abs(job.estimate->optimistic + job.delay),
                              std::abs(job.estimate->pessimistic + job.delay));
        } else {
            reach += std::abs(job.duration);
        }
    }
    return 1e-14 * static_cast<double>(network.jobs.size()) * reach;
}

} // namespace arrowplan
