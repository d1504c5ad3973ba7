#pragma once

#include "risk/risk_network.h"
#include "risk/three_point.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace arrowplan {

inline constexpr int maxRuns = 1'000'000;

// The runs are done in blocks of this many, each from its own seed, so the
// figures are the same whichever thread does which block. Changing it
// changes every result of a given seed.
inline constexpr int runsPerBlock = 1'000;

struct MonteCarloOptions {
    int runs = 10'000; // 1..maxRuns
    std::uint64_t seed = 1;
    RiskDistribution distribution = RiskDistribution::triangular;
    std::optional<double> byWeek{};
    unsigned threads = 0; // 0: one a core; never more than there are blocks
};

// Shared between a simulation and the window that shows its progress: the
// simulation sets runsDone to 0 as it starts and adds each block's runs as
// it ends; the window reads it from a timer and may set cancel at any time
// (even before the start), which the simulation looks at before each block.
struct RunControl {
    std::atomic<int> runsDone{0};
    std::atomic<bool> cancel{false};
};

struct JobRisk {
    double criticality = 0; // the share of runs in which the job has no total slack
    double sigma = 0;       // the standard deviation of the distribution drawn from
    double sensitivity = 0; // criticality * sigma / the finish's sigma
    bool operator==(const JobRisk&) const = default;
};

// A merge event (a node with two or more jobs in) and how much later it
// comes on average than the latest of its incoming paths does on average.
struct MergeDelay {
    int node = 0;
    double delay = 0;
    bool operator==(const MergeDelay&) const = default;
};

// Finish weeks that the given share of runs do not exceed.
struct FinishPercentiles {
    double p10 = 0;
    double p50 = 0;
    double p80 = 0;
    double p90 = 0;
    double p95 = 0;
    bool operator==(const FinishPercentiles&) const = default;
};

struct MonteCarloResult {
    int runs = 0;
    double mean = 0;
    double sigma = 0; // of the runs themselves (divided by the number of runs)
    FinishPercentiles percentiles;
    std::optional<double> chanceByWeek; // the share of runs finished by the week
    // Every run's finish, sorted: the histogram and the S-curve are drawn
    // from it (8 bytes a run, 8 MB for the most runs).
    std::vector<double> sortedFinishes;
    std::vector<JobRisk> jobs; // in the network's job order
    std::vector<MergeDelay> merges;

    bool operator==(const MonteCarloResult&) const = default;
};

// Schedules the network options.runs times, each time with a fresh draw for
// every estimated job, on options.threads threads. The same network, runs,
// seed and distribution give the same result, bit for bit, on any number of
// threads and any machine. Blocks the caller until done; nothing when
// cancelled through control. Throws RiskError for a network checkNetwork
// refuses or runs outside 1..maxRuns.
std::optional<MonteCarloResult> runMonteCarlo(const RiskNetwork& network,
                                              const MonteCarloOptions& options,
                                              RunControl* control = nullptr);

// The finish that percent % of the runs do not exceed: the smallest finish
// with at least that share of runs at or before it (the sorted finish of
// rank ceil(percent * runs / 100), counted from 1).
double finishPercentile(const std::vector<double>& sortedFinishes, int percent);

// The finishes (at least one) counted in bins (at least one) of equal width
// from the first to the last; a finish on a border goes to the bin above it,
// the last into the last bin.
struct FinishHistogram {
    double lowest = 0;
    double binWidth = 0;
    std::vector<int> counts;
};
FinishHistogram finishHistogram(const std::vector<double>& sortedFinishes, int bins);

} // namespace arrowplan
