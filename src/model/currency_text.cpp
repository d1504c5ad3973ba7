#include "model/currency_text.h"

#include <cstdint>

namespace arrowplan {

std::string currencyText(Currency amount, const CurrencyFormat& format) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude = units < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(units)
                                              : static_cast<std::uint64_t>(units);
    const std::uint64_t cents = (magnitude + 50) / 100;
    const bool negative = units < 0 && cents != 0; // nothing is never negative

    // The digits from the right, a separator before every third; the weekly
    // costs write tens of thousands of these, so no string grows on the way.
    char digits[32];
    std::size_t n = 0;
    std::uint64_t whole = cents / 100;
    for (int place = 0; place == 0 || whole != 0; ++place, whole /= 10) {
        digits[n++] = static_cast<char>('0' + whole % 10);
    }
    std::string text;
    const std::string& before = negative ? format.negativePrefix : format.prefix;
    const std::string& after = negative ? format.negativeSuffix : format.suffix;
    text.reserve(before.size() + n + n / 3 * format.groupSeparator.size() +
                 format.decimalPoint.size() + 2 + after.size());
    text += before;
    for (std::size_t i = n; i-- > 0;) {
        text += digits[i];
        if (i > 0 && i % 3 == 0) {
            text += format.groupSeparator;
        }
    }
    text += format.decimalPoint;
    text += static_cast<char>('0' + cents % 100 / 10);
    text += static_cast<char>('0' + cents % 10);
    text += after;
    return text;
}

} // namespace arrowplan
