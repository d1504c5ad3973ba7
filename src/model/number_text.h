#pragma once

#include "model/currency.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace arrowplan {

// The plain decimal text of a number, as the listings, the cards and the
// project file write it: no thousands separator, no currency symbol, a full
// stop before the fraction, no trailing zeros, a leading zero before the stop
// for values between -1 and 1, and a minus sign when negative. No exponent is
// ever used, so any text written reads back through the same plain reader.

// At most 7 significant digits: 2.5, 2880, 0.3333333, 123456800.
std::string plainText(float value);
// The shortest text that reads back as the same double: figures of the risk
// analysis, which are the same bit for bit everywhere, so is their text.
std::string plainText(double value);
// At most four decimals: 100, 250.5, -2, 0.0001.
std::string plainText(Currency value);
std::string plainText(std::int64_t value);
inline std::string plainText(int value) {
    return plainText(std::int64_t{value});
}

// How a number prints on a drawing surface: a blank in place of a plus sign,
// the plain text, and a trailing blank (" 5 ", "-2 ", " 2.5 ").
std::string surfaceText(float value);
std::string surfaceText(Currency value);
std::string surfaceText(std::int64_t value);
inline std::string surfaceText(int value) {
    return surfaceText(std::int64_t{value});
}

// The text padded with blanks on the left to width characters; a longer text
// is kept whole and pushes the rest of the line to the right.
std::string rightAligned(std::string_view text, std::size_t width);
// The same field, added to the end of line.
void appendRightAligned(std::string& line, std::string_view text, std::size_t width);

} // namespace arrowplan
