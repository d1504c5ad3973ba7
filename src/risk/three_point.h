#pragma once

#include "model/estimate.h"

namespace arrowplan {

// The shape a simulation draws an estimated time from.
enum class RiskDistribution { triangular, pertBeta };

// The exact standard deviation of the distribution a simulation draws from,
// which for PERT-beta is not classic PERT's (p - o) / 6.
double distributionSigma(const ThreePoint& estimate, RiskDistribution distribution);

} // namespace arrowplan
