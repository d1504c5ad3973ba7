#include "platform/window_font.h"

#include <QFontDatabase>

namespace arrowplan {

namespace {

const QString standInFamily = QStringLiteral("Liberation Sans");
constexpr int windowFontSize = 8;

} // namespace

QFont windowFont() {
    return QFont(standInFamily, windowFontSize);
}

QFont installedOr(const QString& family, const QString& standIn) {
    return QFont(QFontDatabase::hasFamily(family) ? family : standIn);
}

} // namespace arrowplan
