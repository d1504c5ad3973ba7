#include "model/currency.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace arrowplan {

namespace {

// The doubles that round into the int64 range: 2^63 itself is one too many.
constexpr double unitsCeiling = 9223372036854775808.0;

Currency fromScaled(double scaled) {
    // nearbyint rounds half to even in the default rounding mode.
    const double units = std::nearbyint(scaled);
    if (!(units >= -unitsCeiling && units < unitsCeiling)) {
        throw CurrencyOverflow("the number is too large for a currency value");
    }
    return Currency::fromUnits(static_cast<std::int64_t>(units));
}

} // namespace

Currency Currency::fromFloat(float value) {
    return fromScaled(static_cast<double>(value) * static_cast<double>(scale));
}

Currency Currency::fromDouble(double value) {
    return fromScaled(value * static_cast<double>(scale));
}

std::int64_t dividedRounded(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t twiceRest = 2 * std::abs(numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) {
        quotient += numerator < 0 ? -1 : 1;
    }
    return quotient;
}

std::int64_t Currency::rounded() const {
    return dividedRounded(units_, scale);
}

Currency Currency::operator+(Currency other) const {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(units_, other.units_, &sum)) {
        throw CurrencyOverflow("a sum is too large for a currency value");
    }
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(units_, other.units_, &difference)) {
        throw CurrencyOverflow("a difference is too large for a currency value");
    }
    return Currency(difference);
}

Currency Currency::operator-() const {
    return Currency() - *this;
}

} // namespace arrowplan
