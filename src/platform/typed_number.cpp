#include "platform/typed_number.h"

#include "model/number_parse.h"
#include "platform/qt_text.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace arrowplan {

std::optional<float> typedSingle(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = QLocale().toDouble(trimmed, &ok);
    if (ok) {
        // Beyond the float range the value does not fit, whatever the locale.
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
            return std::nullopt;
        }
        return static_cast<float>(value);
    }
    const std::string plain = toStdString(trimmed);
    if (!isPlainNumber(plain)) {
        return std::nullopt;
    }
    return toSingle(plain);
}

} // namespace arrowplan
