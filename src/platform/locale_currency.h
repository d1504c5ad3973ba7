#pragma once

#include "model/currency_text.h"

#include <QLocale>

namespace arrowplan {

// How the locale writes money, as far as Qt tells: its symbol and where it
// stands, its separators, and a minus sign for negative amounts. The C
// (POSIX) locale and US English give the reference form: $1,234.50, ($20.00).
CurrencyFormat currencyFormatOf(const QLocale& locale);

} // namespace arrowplan
