#pragma once

#include "model/currency.h"

#include <string>

namespace arrowplan {

// How the user's locale writes an amount of money: what stands before and
// after the number, for amounts paid out and for money coming in, and the
// separators. The program fills it from the locale at the Qt edge; the
// default is US English, which shows money coming in as ($20.00).
struct CurrencyFormat {
    std::string prefix = "$";
    std::string suffix;
    std::string negativePrefix = "($";
    std::string negativeSuffix = ")";
    std::string groupSeparator = ",";
    std::string decimalPoint = ".";
};

// The amount with thousands separators and two decimals (rounded half away
// from zero): $1,234.50, ($20.00). An amount that rounds to nothing is never
// shown as negative.
std::string currencyText(Currency amount, const CurrencyFormat& format);

} // namespace arrowplan
