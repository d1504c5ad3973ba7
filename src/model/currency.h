#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>

namespace arrowplan {

// Thrown when a currency value would leave its range; a sum never wraps.
class CurrencyOverflow : public std::overflow_error {
  public:
    using std::overflow_error::overflow_error;
};

// numerator / denominator (above 0) to the nearest whole number, ties to
// even, as Currency rounds.
std::int64_t dividedRounded(std::int64_t numerator, std::int64_t denominator);

// Fixed-point money and schedule time: a 64-bit count of ten-thousandths.
class Currency {
  public:
    static constexpr std::int64_t scale = 10'000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { return Currency(units); }
    static constexpr Currency fromWhole(std::int64_t whole) {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(whole, scale, &units)) {
            throw CurrencyOverflow("the number is too large for a currency value");
        }
        return Currency(units);
    }
    // Rounded to four decimals, ties to even. A float times 10,000 is exact in
    // double precision (24 + 14 bits), so the only rounding is the final one.
    static Currency fromFloat(float value);
    // Rounded to four decimals, ties to even; used for quotients worked out in
    // double precision.
    static Currency fromDouble(double value);

    constexpr std::int64_t units() const { return units_; }
    // The nearest whole number, ties to even, as a table index would use it.
    std::int64_t rounded() const;
    double toDouble() const { return static_cast<double>(units_) / scale; }

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }

    constexpr auto operator<=>(const Currency&) const = default;

  private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

} // namespace arrowplan
