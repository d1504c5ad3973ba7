#pragma once

#include <optional>
#include <string_view>

namespace arrowplan {

// The number a typed text begins with, read leniently as the job card reads
// its boxes. Blanks, tabs and line feeds are dropped from the whole text
// first; then an optional sign, digits with at most one full stop (whatever
// the locale) and an optional exponent (E, a sign, digits) are taken, and the
// first other character ends the number. &H and &O begin a hexadecimal or an
// octal whole number. A text without a leading number gives 0:
// "12.5 weeks" is 12.5, "1,500" is 1, "$5" is 0, "1 2 5" is 125.
// Nothing when the number is beyond the range of a double.
std::optional<double> leadingNumber(std::string_view text);

} // namespace arrowplan
