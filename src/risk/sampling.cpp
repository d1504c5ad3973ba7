#include "risk/sampling.h"

#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

namespace arrowplan {

std::uint64_t blockSeed(std::uint64_t seed, std::uint64_t block) {
    std::uint64_t z = seed + (block + 1) * 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

double reproducibleLog(double x) {
    int exponent = 0;
    // A subnormal is scaled into the normal range first, so that its bits
    // split into an exponent and a mantissa like any other number's.
    if (x < std::numeric_limits<double>::min()) {
        x *= 0x1.0p54;
        exponent = -54;
    }
    constexpr std::uint64_t mantissaBits = (std::uint64_t{1} << 52) - 1;
    const auto bits = std::bit_cast<std::uint64_t>(x);
    exponent += static_cast<int>(bits >> 52) - 1023;
    double m = std::bit_cast<double>((bits & mantissaBits) | (std::uint64_t{1023} << 52));
    if (m > std::numbers::sqrt2) {
        m /= 2;
        ++exponent;
    }
    // log m = 2 atanh(s) = 2 (s + s^3/3 + s^5/5 + ...) with s = (m - 1) / (m + 1);
    // m lies within [sqrt(1/2), sqrt(2)], so s^2 <= 0.0295 and eleven terms
    // after the first bring the series below half a unit in the last place.
    const double f = m - 1; // exact: m and 1 are within a factor of 2
    const double s = f / (2 + f);
    const double s2 = s * s;
    double series = 1.0 / 23;
    for (int odd = 21; odd >= 3; odd -= 2) {
        series = series * s2 + 1.0 / odd;
    }
    // ln 2 in two parts (fdlibm's): the high part has trailing zero bits, so
    // it times any exponent of a double is exact.
    constexpr double ln2High = 6.93147180369123816490e-01;
    constexpr double ln2Low = 1.90821492927058770002e-10;
    const double e = exponent;
    return e * ln2High + (2 * s + (2 * s * s2 * series + e * ln2Low));
}

double RandomSource::normal() {
    if (hasSpare_) {
        hasSpare_ = false;
        return spareNormal_;
    }
    double v1 = 0;
    double v2 = 0;
    double s = 0;
    do {
        v1 = 2 * uniform() - 1;
        v2 = 2 * uniform() - 1;
        s = v1 * v1 + v2 * v2;
    } while (s >= 1 || s == 0);
    const double factor = std::sqrt(-2 * reproducibleLog(s) / s);
    spareNormal_ = v2 * factor;
    hasSpare_ = true;
    return v1 * factor;
}

GammaSampler::GammaSampler(double shape) : d_(shape - 1.0 / 3), c_(1 / std::sqrt(9 * d_)) {}

double GammaSampler::draw(RandomSource& random) const {
    for (;;) {
        double x = 0;
        double v = 0;
        do {
            x = random.normal();
            v = 1 + c_ * x;
        } while (v <= 0);
        v = v * v * v;
        // In (0, 1], so that its logarithm is finite.
        const double u = 1 - random.uniform();
        const double x2 = x * x;
        if (u < 1 - 0.0331 * x2 * x2) {
            return d_ * v;
        }
        if (reproducibleLog(u) < 0.5 * x2 + d_ * (1 - v + reproducibleLog(v))) {
            return d_ * v;
        }
    }
}

EstimateSampler::EstimateSampler(const ThreePoint& estimate, RiskDistribution distribution)
    : low_(estimate.optimistic), high_(estimate.pessimistic),
      range_(estimate.pessimistic - estimate.optimistic),
      pertBeta_(distribution == RiskDistribution::pertBeta) {
    if (range_ <= 0) {
        return;
    }
    const double belowShare = (estimate.mostLikely - estimate.optimistic) / range_;
    const double aboveShare = (estimate.pessimistic - estimate.mostLikely) / range_;
    if (pertBeta_) {
        alphaGamma_ = GammaSampler(1 + 4 * belowShare);
        betaGamma_ = GammaSampler(1 + 4 * aboveShare);
    } else {
        modeShare_ = belowShare;
        belowMode_ = range_ * (estimate.mostLikely - estimate.optimistic);
        aboveMode_ = range_ * (estimate.pessimistic - estimate.mostLikely);
    }
}

double EstimateSampler::draw(RandomSource& random) const {
    if (range_ <= 0) {
        return low_;
    }
    if (pertBeta_) {
        const double g1 = alphaGamma_.draw(random);
        const double g2 = betaGamma_.draw(random);
        return low_ + range_ * (g1 / (g1 + g2));
    }
    const double u = random.uniform();
    if (u < modeShare_) {
        return low_ + std::sqrt(u * belowMode_);
    }
    return high_ - std::sqrt((1 - u) * aboveMode_);
}

} // namespace arrowplan
