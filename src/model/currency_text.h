#pragma once

#include "model/currency.h"

#include <string>

namespace arrowplan {

// How the user's locale writes an amount of money. The program fills it from
// the locale at the Qt edge; the default is US English.
struct CurrencyFormat {
    std::string symbol = "$";
    bool symbolFirst = true;
    std::string groupSeparator = ",";
    std::string decimalPoint = ".";
    // US English shows money coming in as ($20.00); other locales put a
    // minus sign first: -20,00 €.
    bool negativeInParentheses = true;
};

// The amount with its symbol, thousands separators and two decimals (rounded
// half away from zero): $1,234.50, ($20.00).
std::string currencyText(Currency amount, const CurrencyFormat& format);

} // namespace arrowplan
