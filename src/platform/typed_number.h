#pragma once

#include "model/currency.h"

#include <QString>

#include <optional>

namespace arrowplan {

// A number typed into an input box: read as the user's locale writes it
// (blanks around it allowed), else in the plain form with a full stop.
// Nothing when the text is no number or the value does not fit a float.
std::optional<float> typedSingle(const QString& text);
// The same for money, to four decimals.
std::optional<Currency> typedCurrency(const QString& text);

} // namespace arrowplan
