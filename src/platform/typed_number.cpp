#include "platform/typed_number.h"

#include "model/number_parse.h"
#include "platform/qt_text.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace arrowplan {

namespace {

// The text read as the locale writes numbers, with fromLocale, else in the
// plain form with fromPlain.
template <typename T>
std::optional<T> typed(const QString& text, std::optional<T> (*fromLocale)(double),
                       std::optional<T> (*fromPlain)(std::string_view)) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = QLocale().toDouble(trimmed, &ok);
    if (ok) {
        return std::isfinite(value) ? fromLocale(value) : std::nullopt;
    }
    const std::string plain = toStdString(trimmed);
    return isPlainNumber(plain) ? fromPlain(plain) : std::nullopt;
}

} // namespace

std::optional<float> typedSingle(const QString& text) {
    // Beyond the float range the value does not fit, whatever the locale.
    return typed<float>(
        text,
        [](double value) -> std::optional<float> {
            if (std::fabs(value) > std::numeric_limits<float>::max()) {
                return std::nullopt;
            }
            return static_cast<float>(value);
        },
        toSingle);
}

std::optional<Currency> typedCurrency(const QString& text) {
    return typed<Currency>(
        text,
        [](double value) -> std::optional<Currency> {
            try {
                return Currency::fromDouble(value);
            } catch (const CurrencyOverflow&) {
                return std::nullopt;
            }
        },
        toCurrency);
}

} // namespace arrowplan
