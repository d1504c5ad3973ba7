#pragma once

#include "risk/three_point.h"

#include <cstdint>
#include <random>

namespace arrowplan {

// Random draws that come out the same, bit for bit, on every machine and
// compiler. The standard fixes the Mersenne Twister's output exactly but not
// what its distributions make of it, so every draw is built here from the
// engine's bits with +, -, *, / and sqrt (which IEEE 754 rounds exactly) and
// a logarithm of our own; these files are compiled without contracting
// a * b + c into one fused operation, which some processors would round
// differently.

// The seed of block `block` of a simulation seeded with `seed`: splitmix64's
// output number block + 1 from that seed, so neighbouring blocks get unrelated
// streams.
std::uint64_t blockSeed(std::uint64_t seed, std::uint64_t block);

// The natural logarithm of a positive finite x, within a few units in the
// last place, computed the same way everywhere (libraries' log differ in
// their last bits).
double reproducibleLog(double x);

class RandomSource {
  public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1): the top 53 bits of one engine output.
    double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    // Standard normal, by Marsaglia's polar method; every second call returns
    // the pair's other value.
    double normal();

  private:
    std::mt19937_64 engine_;
    double spareNormal_ = 0;
    bool hasSpare_ = false;
};

// Gamma variates of one shape (at least 1) by Marsaglia and Tsang's method.
// PERT-beta's shapes lie between 1 and 5, so the boost for shapes below 1
// is never needed.
class GammaSampler {
  public:
    explicit GammaSampler(double shape);
    double draw(RandomSource& random) const;

  private:
    double d_;
    double c_;
};

// One estimate made ready for many draws: the constants of its distribution
// are worked out once. An estimate with o == p always gives o.
class EstimateSampler {
  public:
    EstimateSampler(const ThreePoint& estimate, RiskDistribution distribution);
    double draw(RandomSource& random) const;

  private:
    double low_;
    double high_;
    double range_;
    bool pertBeta_;
    // Triangular, by the inverse of its distribution function.
    double modeShare_ = 0; // F(m) = (m - o) / (p - o)
    double belowMode_ = 0; // (p - o)(m - o)
    double aboveMode_ = 0; // (p - o)(p - m)
    // PERT-beta: G1 / (G1 + G2) is Beta(alpha, beta).
    GammaSampler alphaGamma_{1};
    GammaSampler betaGamma_{1};
};

} // namespace arrowplan
