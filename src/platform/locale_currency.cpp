#include "platform/locale_currency.h"

#include "platform/qt_text.h"

namespace arrowplan {

namespace {

// What the locale writes before and after the digits of an amount.
std::pair<std::string, std::string> around(const QString& amount) {
    qsizetype first = 0;
    while (first < amount.size() && !amount[first].isDigit()) {
        ++first;
    }
    qsizetype last = amount.size() - 1;
    while (last >= 0 && !amount[last].isDigit()) {
        --last;
    }
    return {toStdString(amount.left(first)), toStdString(amount.mid(last + 1))};
}

} // namespace

CurrencyFormat currencyFormatOf(const QLocale& locale) {
    if (locale.language() == QLocale::C ||
        (locale.language() == QLocale::English && locale.territory() == QLocale::UnitedStates)) {
        return CurrencyFormat{};
    }
    const auto [prefix, suffix] = around(locale.toCurrencyString(1.5, QString(), 2));
    const auto [negativePrefix, negativeSuffix] =
        around(locale.toCurrencyString(-1.5, QString(), 2));
    return CurrencyFormat{prefix,
                          suffix,
                          negativePrefix,
                          negativeSuffix,
                          toStdString(locale.groupSeparator()),
                          toStdString(locale.decimalPoint())};
}

} // namespace arrowplan
