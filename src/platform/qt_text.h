#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace arrowplan {

// The core keeps its texts in UTF-8; Qt's widgets take QString.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toUtf8().toStdString();
}

inline QStringList toQStringList(const std::vector<std::string>& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) {
        list << toQString(line);
    }
    return list;
}

} // namespace arrowplan
