#pragma once

#include "model/project.h"
#include "risk/three_point.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace arrowplan {

// Thrown when a network or the options of an analysis cannot be worked on;
// the text says why, naming the job where one is at fault.
class RiskError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A job as the risk analysis sees it. A job without an estimate always takes
// `duration`; an estimated one takes a time drawn from its estimate plus
// `delay`, since the estimate replaces the expected time but not the delay
// the schedule adds to it.
struct RiskJob {
    long long from = 0;
    long long to = 0;
    double duration = 0;
    double delay = 0;
    std::optional<ThreePoint> estimate;

    bool operator==(const RiskJob&) const = default;
};

// The events 1..nodeCount (1 the start, nodeCount the finish) and the jobs,
// job number k at index k - 1; every result per job comes in the same order.
struct RiskNetwork {
    int nodeCount = 0;
    std::vector<RiskJob> jobs;

    bool operator==(const RiskNetwork&) const = default;
};

// The jobs of the project as the schedule counts them (their time to four
// decimals plus their delay), with estimates[k - 1] as job k's estimate.
// Throws std::invalid_argument when there is not one entry a job, and
// CurrencyOverflow where the schedule would.
RiskNetwork riskNetworkOf(const Project& project,
                          const std::vector<std::optional<ThreePoint>>& estimates);

// Throws RiskError unless the network can be worked on as the schedule works
// on a project: at least one event, every job from a lower to a higher event
// within them, every estimate usable.
void checkNetwork(const RiskNetwork& network);

// Throws RiskError unless the week a finish is asked by is a number.
void checkWeek(std::optional<double> week);

// How far from zero a total slack may be and still count as none. Along a
// path of at most n jobs the forward pass, the backward pass and the slack
// itself round some 3n sums, each to within 2^-53 of the largest sum a path
// can reach (the durations' sizes added up, S), so a slack that is really
// zero comes out within 3n * 2^-53 * S (about 3.3e-16 n S). The tolerance,
// 1e-14 n S, leaves a margin of thirty; for the tables' 100 jobs it stays
// below the schedule's four decimals in any project under 10^8 weeks.
double slackTolerance(const RiskNetwork& network);

} // namespace arrowplan
