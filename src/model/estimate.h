#pragma once

#include "model/project.h"

#include <optional>
#include <string>

namespace arrowplan {

// A job's time as three guesses: the best case, the most likely and the worst.
struct ThreePoint {
    double optimistic = 0;
    double mostLikely = 0;
    double pessimistic = 0;

    bool operator==(const ThreePoint&) const = default;
};

// The longest time an estimate may give, in weeks. A hundred such jobs in a
// row stay below 10^8 weeks, where the simulation's slack tolerance is still
// finer than the schedule's four decimals.
inline constexpr double longestEstimate = 1'000'000;

// Why an estimate cannot be used, as a phrase that fits after "job N: ";
// nothing when it can. The file, the task lists and the windows all check
// estimates by this one rule.
std::optional<std::string> estimateProblem(const ThreePoint& estimate);

// Classic PERT's expected time (o + 4m + p) / 6 and its standard deviation
// (p - o) / 6.
double pertMean(const ThreePoint& estimate);
double pertSigma(const ThreePoint& estimate);

// Job j's estimates as the project keeps them; none for a job without.
std::optional<ThreePoint> estimateOf(const Project& project, int job);
// Keeps an estimate for job j, or none (all three times 0), in singles as
// the tables keep it; rounding to single precision keeps the three in order.
void setEstimate(Project& project, int job, const std::optional<ThreePoint>& estimate);

} // namespace arrowplan
