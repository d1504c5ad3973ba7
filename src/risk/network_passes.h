#pragma once

#include "risk/risk_network.h"

#include <span>
#include <vector>

namespace arrowplan {

// The schedule's forward and backward passes on durations given as doubles,
// for the many schedules of a risk analysis. The jobs are sorted once: by
// end node for the forward pass (every job into a node's start is then done
// before the node's own jobs), by start node downwards for the backward
// pass. Durations are indexed by job, node times by node (slot 0 unused).
class NetworkPasses {
  public:
    struct Arc {
        std::size_t from;
        std::size_t to;
        std::size_t job;
    };

    // Checks the network first (checkNetwork).
    explicit NetworkPasses(const RiskNetwork& network);

    std::size_t finishNode() const { return finish_; }
    double tolerance() const { return tolerance_; }
    // The jobs by end node, and in job order among those of one end node.
    const std::vector<Arc>& byEnd() const { return byEnd_; }

    // Early times as the schedule has them: node 1 at 0, every other node
    // the latest end of its incoming jobs, and never before 0.
    void forward(std::span<const double> durations, std::vector<double>& early) const;
    // Late times from the finish's early time; a node from which the finish
    // cannot be reached has none (infinity), so none of its jobs is critical.
    void backward(std::span<const double> durations, std::span<const double> early,
                  std::vector<double>& late) const;

    // The job ends exactly when its end node can be reached at the earliest.
    bool tight(const Arc& arc, std::span<const double> durations,
               std::span<const double> early) const {
        return early[arc.from] + durations[arc.job] >= early[arc.to] - tolerance_;
    }
    // The job has no total slack (late finish - early start - duration).
    bool critical(const Arc& arc, std::span<const double> durations, std::span<const double> early,
                  std::span<const double> late) const {
        return late[arc.to] - durations[arc.job] - early[arc.from] <= tolerance_;
    }

  private:
    std::size_t finish_;
    double tolerance_;
    std::vector<Arc> byEnd_;
    std::vector<Arc> byStartDownwards_;
};

} // namespace arrowplan
