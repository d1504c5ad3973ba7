#include "model/currency_text.h"

#include <cstdint>

namespace arrowplan {

namespace {

std::string grouped(std::uint64_t whole, const std::string& separator) {
    std::string digits = std::to_string(whole);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, separator);
    }
    return digits;
}

} // namespace

std::string currencyText(Currency amount, const CurrencyFormat& format) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude = units < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(units)
                                              : static_cast<std::uint64_t>(units);
    const std::uint64_t cents = (magnitude + 50) / 100;
    const std::uint64_t fraction = cents % 100;
    const std::string number = grouped(cents / 100, format.groupSeparator) + format.decimalPoint +
                               (fraction < 10 ? "0" : "") + std::to_string(fraction);
    if (units < 0 && cents != 0) {
        return format.negativePrefix + number + format.negativeSuffix;
    }
    return format.prefix + number + format.suffix;
}

} // namespace arrowplan
