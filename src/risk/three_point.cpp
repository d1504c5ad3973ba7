#include "risk/three_point.h"

#include <cmath>

namespace arrowplan {

double distributionSigma(const ThreePoint& estimate, RiskDistribution distribution) {
    // Both variances are written in differences of the three times, which
    // are never negative, so rounding cannot take them below 0.
    const auto& [o, m, p] = estimate;
    if (distribution == RiskDistribution::triangular) {
        // (o^2 + m^2 + p^2 - om - op - mp) / 18
        return std::sqrt(((m - o) * (m - o) + (p - o) * (p - o) + (p - m) * (p - m)) / 36);
    }
    // Beta(alpha, beta) on [o, p] with alpha + beta = 6 has the variance
    // (mean - o)(p - mean) / 7.
    const double aboveOptimistic = (4 * (m - o) + (p - o)) / 6;
    const double belowPessimistic = (4 * (p - m) + (p - o)) / 6;
    return std::sqrt(aboveOptimistic * belowPessimistic / 7);
}

} // namespace arrowplan
