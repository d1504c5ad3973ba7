#pragma once

#include "model/currency_text.h"

#include <QLocale>

namespace arrowplan {

// How the locale writes money, as Qt tells: what stands around the digits of
// an amount paid out and of money coming in, and its separators. The C
// (POSIX) locale and US English give the reference form: $1,234.50, ($20.00).
CurrencyFormat currencyFormatOf(const QLocale& locale);

} // namespace arrowplan
