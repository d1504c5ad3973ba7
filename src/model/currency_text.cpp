#include "model/currency_text.h"

#include <algorithm>
#include <cstdint>

namespace arrowplan {

std::string currencyText(Currency amount, const CurrencyFormat& format) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude = units < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(units)
                                              : static_cast<std::uint64_t>(units);
    const std::uint64_t cents = (magnitude + 50) / 100;
    const bool negative = units < 0 && cents != 0; // nothing is never negative

    // The digits from the right, then the whole text written in one piece:
    // the weekly costs write tens of thousands of these.
    char digits[24];
    std::size_t n = 0;
    std::uint64_t whole = cents / 100;
    do {
        digits[n++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    const std::string& before = negative ? format.negativePrefix : format.prefix;
    const std::string& after = negative ? format.negativeSuffix : format.suffix;
    const std::string& group = format.groupSeparator;
    const std::size_t groups = (n - 1) / 3;
    std::string text(before.size() + n + groups * group.size() + format.decimalPoint.size() + 2 +
                         after.size(),
                     '\0');
    char* out = text.data();
    const auto put = [&out](const std::string& part) {
        out = std::copy(part.begin(), part.end(), out);
    };
    put(before);
    for (std::size_t i = n; i-- > 0;) {
        *out++ = digits[i];
        if (i > 0 && i % 3 == 0) {
            put(group);
        }
    }
    put(format.decimalPoint);
    *out++ = static_cast<char>('0' + cents % 100 / 10);
    *out++ = static_cast<char>('0' + cents % 10);
    put(after);
    return text;
}

} // namespace arrowplan
