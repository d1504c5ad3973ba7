#pragma once

#include "platform/surface.h"

#include <QColor>
#include <QPointF>
#include <QRect>

#include <cmath>

namespace arrowplan {

// The chart and the controls are laid out in twips. The window maps them onto
// pixels at 96 dots per inch, 15 twips a pixel, whatever the screen reports,
// so that a layout and a chart look the same everywhere; a high-density
// screen scales the whole window as Qt scales every widget.
inline constexpr double twipsPerPixel = 15.0;
inline constexpr double twipsPerInch = 1440.0;

inline int pixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}
inline double twips(double pixels) {
    return pixels * twipsPerPixel;
}

// A control's designed place: left, top, width, height in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

inline QColor toQColor(Colour colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

inline Colour fromQColor(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

inline Qt::PenStyle penStyle(LineStyle style) {
    switch (style) {
    case LineStyle::dashed:
        return Qt::DashLine;
    case LineStyle::dotted:
        return Qt::DotLine;
    case LineStyle::solid:
        break;
    }
    return Qt::SolidLine;
}

} // namespace arrowplan
