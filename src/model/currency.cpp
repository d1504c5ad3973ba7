#include "model/currency.h"

#include <cmath>
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

std::int64_t Currency::rounded() const {
    std::int64_t whole = units_ / scale;
    const std::int64_t rest = units_ % scale; // carries the sign of units_
    const std::int64_t half = scale / 2;
    if (rest > half || (rest == half && whole % 2 != 0)) {
        ++whole;
    } else if (rest < -half || (rest == -half && whole % 2 != 0)) {
        --whole;
    }
    return whole;
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
