#include "risk/network_passes.h"

#include <algorithm>
#include <limits>

namespace arrowplan {

namespace {

std::size_t checkedFinish(const RiskNetwork& network) {
    checkNetwork(network);
    return static_cast<std::size_t>(network.nodeCount);
}

} // namespace

NetworkPasses::NetworkPasses(const RiskNetwork& network)
    : finish_(checkedFinish(network)), tolerance_(slackTolerance(network)) {
    for (std::size_t k = 0; k < network.jobs.size(); ++k) {
        const RiskJob& job = network.jobs[k];
        byEnd_.push_back({static_cast<std::size_t>(job.from), static_cast<std::size_t>(job.to), k});
    }
    byStartDownwards_ = byEnd_;
    std::stable_sort(byEnd_.begin(), byEnd_.end(),
                     [](const Arc& a, const Arc& b) { return a.to < b.to; });
    std::stable_sort(byStartDownwards_.begin(), byStartDownwards_.end(),
                     [](const Arc& a, const Arc& b) { return a.from > b.from; });
}

void NetworkPasses::forward(std::span<const double> durations, std::vector<double>& early) const {
    early.assign(finish_ + 1, 0.0);
    for (const Arc& arc : byEnd_) {
        const double end = early[arc.from] + durations[arc.job];
        if (end > early[arc.to]) {
            early[arc.to] = end;
        }
    }
}

void NetworkPasses::backward(std::span<const double> durations, std::span<const double> early,
                             std::vector<double>& late) const {
    late.assign(finish_ + 1, std::numeric_limits<double>::infinity());
    late[finish_] = early[finish_];
    for (const Arc& arc : byStartDownwards_) {
        const double start = late[arc.to] - durations[arc.job];
        if (start < late[arc.from]) {
            late[arc.from] = start;
        }
    }
}

} // namespace arrowplan
