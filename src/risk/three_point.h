#pragma once

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

// The shape a simulation draws an estimated time from.
enum class RiskDistribution { triangular, pertBeta };

// The longest time an estimate may give, in weeks. A hundred such jobs in a
// row stay below 10^8 weeks, where the simulation's slack tolerance is still
// finer than the schedule's four decimals.
inline constexpr double longestEstimate = 1'000'000;

// Why an estimate cannot be used, as a phrase that fits after "job N: ";
// nothing when it can.
std::optional<std::string> estimateProblem(const ThreePoint& estimate);

// Classic PERT's expected time (o + 4m + p) / 6 and its standard deviation
// (p - o) / 6.
double pertMean(const ThreePoint& estimate);
double pertSigma(const ThreePoint& estimate);

// The exact standard deviation of the distribution a simulation draws from,
// which for PERT-beta is not classic PERT's (p - o) / 6.
double distributionSigma(const ThreePoint& estimate, RiskDistribution distribution);

} // namespace arrowplan
