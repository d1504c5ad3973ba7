#pragma once

#include "model/currency.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace arrowplan {

// Reading the plain numbers the project file holds, whatever the user's
// locale: an optional sign, digits with at most one full stop (".5" and "0.5"
// alike), and an optional exponent. Nothing else may stand in the text.
bool isPlainNumber(std::string_view text);

// Each conversion takes a text that isPlainNumber accepted and gives nothing
// when the value does not fit the type.
std::optional<float> toSingle(std::string_view plainNumber);
// Exact: decimals beyond the fourth are rounded half to even.
std::optional<Currency> toCurrency(std::string_view plainNumber);
// Only whole values in -32768..32767.
std::optional<std::int16_t> toInteger16(std::string_view plainNumber);

} // namespace arrowplan
