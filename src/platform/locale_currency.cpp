#include "platform/locale_currency.h"

#include "platform/qt_text.h"

namespace arrowplan {

CurrencyFormat currencyFormatOf(const QLocale& locale) {
    if (locale.language() == QLocale::C ||
        (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates)) {
        return CurrencyFormat{};
    }
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString sample = locale.toCurrencyString(1.0);
    return CurrencyFormat{toStdString(symbol), sample.startsWith(symbol),
                          toStdString(locale.groupSeparator()), toStdString(locale.decimalPoint()),
                          false};
}

} // namespace arrowplan
